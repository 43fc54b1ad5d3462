#pragma once

namespace qv {

class ModuleCopy;
class ModuleFormManager;

// USFAudit's Prepare: the review figures the audit scripts test.
void prepareAudit(ModuleFormManager& fm, ModuleCopy& audit);

} // namespace qv
