#include "interview/modulelistset.h"

#include "modules/modulelist.h"
#include "modules/taxmodule.h"

namespace qv {

int ModuleListSet::Count() const {
    return m_list.GetCount();
}

int ModuleListSet::Find(const std::string& code) const {
    if (code.empty() || !m_list.FindByName(code))
        return 0;
    return m_list.IndexOf(code);
}

std::string ModuleListSet::Code(int position) const {
    CTaxModule* m = m_list.GetByNumber(position);
    return m ? m->GetModuleName() : std::string();
}

bool ModuleListSet::IsActive(int position) const {
    CTaxModule* m = m_list.GetByNumber(position);
    return m && (m->IsActive() || m->IsFederal()); // the federal module always takes part
}

CFormManager* ModuleListSet::FormManager(int position) const {
    CTaxModule* m = m_list.GetByNumber(position);
    return m ? m->formManager() : nullptr;
}

CDataFile* ModuleListSet::DataFile(int position) const {
    CTaxModule* m = m_list.GetByNumber(position);
    return m ? &m->dataFile() : nullptr;
}

std::string ModuleListSet::Title(int position) const {
    CTaxModule* m = m_list.GetByNumber(position);
    return m ? m->GetModuleTitle() : std::string();
}

} // namespace qv
