#include "files/dll_utils.h"
