#include "platform/nls.h"
