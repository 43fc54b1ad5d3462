#pragma once

#include "moduledef.h"

#include <string>
#include <vector>

namespace qv {

// The summary form every state module has, "<ST>Summary" with the state's tax, payments and
// RefundOwe, and the module-global names the program reads from it.
FormDef stateSummaryForm(const std::string& code, const std::string& stateName);
std::vector<GlobalField> stateSummaryGlobals(const std::string& code);

} // namespace qv
