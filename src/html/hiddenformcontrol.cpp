#include "html/hiddenformcontrol.h"
