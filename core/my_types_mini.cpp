#include "core/my_types_mini.h"
