#include "about/About.h"
