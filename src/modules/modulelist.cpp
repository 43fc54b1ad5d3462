#include "modules/modulelist.h"

#include "app/appsettings.h"
#include "app/texthelpers.h"
#include "modules/taxmodule.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "storage/memdatafile.h"
#include "storage/returnsections.h"

#include <quorva/formmanager.h>

namespace {

constexpr std::size_t kMaxModuleName = 64;

} // namespace

CModuleList::CModuleList() = default;

CModuleList::~CModuleList() {
    UnloadAll();
}

CModuleList& CModuleList::instance() {
    static CModuleList list;
    return list;
}

int CModuleList::LoadModules() {
    auto federal = std::make_unique<CTaxModule>(this);
    if (!federal->Load("FEDERAL"))
        return 0;
    federal->SetActiveFlag(true);
    m_federal = federal.get();
    m_modules.insert(m_modules.begin(), std::move(federal));
    ScanInstalledModules();
    return 1;
}

int CModuleList::ScanInstalledModules(bool* newFound) {
    if (newFound)
        *newFound = false;
    for (std::string name : pf::Profile::app().entries("Modules")) {
        name = pf::upper(name.substr(0, kMaxModuleName));
        if (name.empty() || FindByName(name))
            continue;
        auto module = std::make_unique<CTaxModule>(this);
        // A state that does not load is left out without a word.
        if (!module->Load(name))
            continue;
        m_modules.push_back(std::move(module));
        if (newFound)
            *newFound = true;
    }
    return 1;
}

void CModuleList::ResetAll() {
    CFormManager* federalFm = m_federal ? m_federal->formManager() : nullptr;
    for (auto& module : m_modules) {
        if (module.get() != m_federal) {
            if (federalFm && module->formManager())
                federalFm->UnlinkStateModule(module->formManager());
            module->SetActiveFlag(false);
        }
        if (module->formManager())
            module->formManager()->ClearAll();
    }
    RebuildStateMenus();
}

void CModuleList::UnloadAll() {
    // States first: they hold pointers to the federal managers.
    while (!m_modules.empty())
        m_modules.pop_back();
    m_federal = nullptr;
}

CTaxModule* CModuleList::FindByName(const std::string& name) const {
    for (const auto& module : m_modules) {
        if (pf::iequals(module->GetModuleName(), name))
            return module.get();
    }
    return nullptr;
}

int CModuleList::IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < m_modules.size(); ++i) {
        if (pf::iequals(m_modules[i]->GetModuleName(), name))
            return int(i) + 1;
    }
    return GetCount() + 1;
}

CTaxModule* CModuleList::GetByNumber(int n) const {
    if (n < 1 || n > GetCount())
        return nullptr;
    return m_modules[std::size_t(n - 1)].get();
}

CTaxModule* CModuleList::FindByFormManager(const CFormManager* manager) const {
    for (const auto& module : m_modules) {
        if (module->formManager() == manager)
            return module.get();
    }
    return nullptr;
}

CTaxModule* CModuleList::FindByFormName(const std::string& formName) const {
    return FindByName(ModuleNameOfForm(formName));
}

int CModuleList::GetActiveCount() const {
    int count = 0;
    for (const auto& module : m_modules)
        count += module->IsActive() ? 1 : 0;
    return count;
}

CTaxModule* CModuleList::GetActive(int n) const {
    for (const auto& module : m_modules) {
        if (module->IsActive() && --n == 0)
            return module.get();
    }
    return nullptr;
}

void CModuleList::RebuildStateMenus() {
    if (m_rebuildMenus)
        m_rebuildMenus();
}

int CModuleList::InitEmptyReturn() {
    int result = 1;
    for (auto& module : m_modules) {
        if (!module->InitModule())
            result = 0;
    }
    RebuildStateMenus();
    return result;
}

int CModuleList::LoadReturnData() {
    m_federalMapped = false;
    if (!m_returnFile)
        return 0;
    bool found = false;
    const std::string appData = qv::sections::ReadShortText(*m_returnFile, "APPDATA", &found);
    if (found && ReadToken(appData, 1, ' ') != "2002") {
        pf::messageBox("Unable to load return data.\n\nThe file was not created by Quorva 2002.  "
                       "An empty return will be created.",
                       pf::MB_OK | pf::MB_ICONERROR);
        return InitEmptyReturn();
    }
    CFormManager* federalFm = m_federal ? m_federal->formManager() : nullptr;
    for (auto& module : m_modules) {
        if (module.get() != m_federal && federalFm && module->formManager())
            federalFm->UnlinkStateModule(module->formManager());
    }
    for (auto& module : m_modules) {
        // A module whose sections cannot be read fails the open: opening it empty instead
        // would let the next save write the empty module over the user's data.
        if (!module->LoadModuleData()) {
            module->InitModule();
            return 0;
        }
        if (module.get() == m_federal)
            m_federalMapped = module->lastLoadMapped();
    }
    RebuildStateMenus();
    // The form managers own the module data now; the next save writes it afresh.
    qv::sections::RemoveEntriesIf(*m_returnFile, qv::sections::IsModuleSection);
    return 1;
}

int CModuleList::SaveReturnData() {
    if (!m_returnFile)
        return 0;
    CMemDataFile& file = *m_returnFile;
    qv::sections::RemoveEntriesIf(file, qv::sections::IsModuleSection);
    if (!qv::sections::PutText(file, qv::sections::kAppData, qv::sections::BuildAppData()))
        return 0;
    const std::string productCode = qv::settings::getString("DATA", "SOURCE_CODE");
    if (!productCode.empty() &&
        !qv::sections::PutText(file, qv::sections::kProductCode, productCode))
        return 0;
    for (auto& module : m_modules) {
        if (!module->SaveModuleData())
            return 0;
    }
    file.SetComment(qv::sections::HeaderComment(*this));
    return 1;
}

std::string ModuleNameOfForm(const std::string& formName) {
    const std::string prefix = pf::upper(formName.substr(0, 2));
    return prefix == "US" ? "FEDERAL" : prefix;
}
