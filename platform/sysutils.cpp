#include "platform/sysutils.h"
