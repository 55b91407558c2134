#include "doc/PlatRTFDoc.h"
