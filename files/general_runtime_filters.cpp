#include "files/general_runtime_filters.h"
