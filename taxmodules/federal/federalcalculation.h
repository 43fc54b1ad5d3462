#pragma once

namespace qv {

class ModuleFormManager;

// The 2002 Form 1040 calculation over the federal module's copies.
void calculateFederal(ModuleFormManager& fm);

} // namespace qv
