// NHCALC.so: the New Hampshire form manager and print manager.
#include "moduleformmanager.h"
#include "moduleprintmanager.h"
#include "nhforms.h"

QUORVA_EXPORT CFormManager* CreateFormManager() {
    return new qv::ModuleFormManager(qv::newHampshireModule());
}

QUORVA_EXPORT CPrintManager* CreatePrintManager() {
    return new qv::ModulePrintManager({});
}

QUORVA_EXPORT std::uint64_t QuorvaFileVersion() {
    return QuorvaMakeVersion(1, 0, 0, 1);
}
