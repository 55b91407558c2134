#include "platform/RegistryFile.h"
