#include "files/registry_utils.h"
