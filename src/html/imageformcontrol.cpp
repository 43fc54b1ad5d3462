#include "html/imageformcontrol.h"
