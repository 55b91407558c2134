#include "words/BuhProc.h"
