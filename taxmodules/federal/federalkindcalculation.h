#pragma once

namespace qv {

class ModuleFormManager;

// The computed parts of the reference, review and business forms, run after the Form 1040.
void calculateFederalKinds(ModuleFormManager& fm);

} // namespace qv
