#include "returntest.h"
