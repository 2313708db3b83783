#include "files/wingenok.h"
