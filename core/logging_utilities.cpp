#include "core/logging_utilities.h"
