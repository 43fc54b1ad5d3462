#pragma once

#include "moduledef.h"

namespace qv {

// The New Hampshire module's forms, fields and module-global names.
const ModuleDef& newHampshireModule();

} // namespace qv
