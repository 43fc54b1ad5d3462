// ILCALC.so: the Illinois form manager and print manager.
#include "ilforms.h"
#include "moduleformmanager.h"
#include "moduleprintmanager.h"

QUORVA_EXPORT CFormManager* CreateFormManager() {
    return new qv::ModuleFormManager(qv::illinoisModule());
}

QUORVA_EXPORT CPrintManager* CreatePrintManager() {
    return new qv::ModulePrintManager({});
}

QUORVA_EXPORT std::uint64_t QuorvaFileVersion() {
    return QuorvaMakeVersion(1, 0, 0, 1);
}
