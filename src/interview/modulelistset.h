#pragma once

#include "interview/moduleset.h"

class CModuleList;

namespace qv {

// The program's modules as a ModuleSet.
class ModuleListSet final : public ModuleSet {
public:
    explicit ModuleListSet(CModuleList& list) : m_list(list) {}
    int Count() const override;
    int Find(const std::string& code) const override;
    std::string Code(int position) const override;
    bool IsActive(int position) const override;
    CFormManager* FormManager(int position) const override;
    CDataFile* DataFile(int position) const override;
    std::string Title(int position) const override;

private:
    CModuleList& m_list;
};

} // namespace qv
