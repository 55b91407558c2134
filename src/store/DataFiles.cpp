#include "store/DataFiles.h"
