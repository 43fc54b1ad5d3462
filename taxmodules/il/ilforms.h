#pragma once

#include "moduledef.h"

namespace qv {

// The Illinois module's forms, fields and module-global names.
const ModuleDef& illinoisModule();

} // namespace qv
