#include "files/my_kpsmall.h"
