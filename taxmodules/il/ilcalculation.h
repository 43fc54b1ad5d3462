#pragma once

namespace qv {

class ModuleFormManager;

// The 2002 Form IL-1040 calculation, on the federal figures of the attached federal module.
void calculateIllinois(ModuleFormManager& fm);

} // namespace qv
