#include "settings/Options.h"
