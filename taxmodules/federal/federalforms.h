#pragma once

#include "moduledef.h"

namespace qv {

// The federal module's forms, fields and module-global names.
const ModuleDef& federalModule();

} // namespace qv
