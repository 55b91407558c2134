#include "rtf/RTF.h"
