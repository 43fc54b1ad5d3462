// FEDCALC.so: the federal form manager.
#include "federalforms.h"
#include "moduleformmanager.h"

QUORVA_EXPORT CFormManager* CreateFormManager() {
    return new qv::ModuleFormManager(qv::federalModule());
}

QUORVA_EXPORT std::uint64_t QuorvaFileVersion() {
    return QuorvaMakeVersion(1, 0, 0, 1);
}
