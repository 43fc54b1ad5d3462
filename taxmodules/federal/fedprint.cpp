// FEDPRINT.so: the federal print manager.
#include "moduleprintmanager.h"

QUORVA_EXPORT CPrintManager* CreatePrintManager() {
    // "PrintSigAuth" has no forms of its own yet: the program adds the consent document.
    return new qv::ModulePrintManager({{"PrintEFileForms", {"USF1040"}}, {"PrintSigAuth", {}}});
}

QUORVA_EXPORT std::uint64_t QuorvaFileVersion() {
    return QuorvaMakeVersion(1, 0, 0, 1);
}
