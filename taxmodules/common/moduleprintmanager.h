#pragma once

#include "moduleprintitem.h"

#include <quorva/printmanager.h>

#include <memory>
#include <string>
#include <vector>

namespace qv {

// What a module prints beyond the engine's rules: named sets of forms.
struct NamedPrintSet {
    std::string name;
    std::vector<std::string> forms;
};

// A print manager working on any form manager through its slots. Forms without an official
// page image print from their screen layout (layout items); supporting details print as
// statements on the character grid.
class ModulePrintManager final : public CPrintManager {
public:
    explicit ModulePrintManager(std::vector<NamedPrintSet> sets) : m_sets(std::move(sets)) {}

    int Initialize() override { return 1; }
    void AttachFormManager(CFormManager* own) override { m_fm = own; }
    void AttachFederalFormManager(CFormManager* federal) override { m_federalFm = federal; }
    void Unused3() override {}
    CFormManager* GetFormManager() override { return m_fm; }
    void SetDetailsStore(CDetailsStore* store) override { m_store = store; }
    void Release() override { delete this; }
    void ClearItems() override { m_items.clear(); }
    int GetItemCount() override { return int(m_items.size()); }
    CPrintItem* GetItem(int index) override;
    void Unused10() override {}
    void AddReturn() override;
    void AddReturnDetails() override;
    int CanPrintForm(int) override { return 0; }
    void AddCopy(CFormCopy* copy) override { AddLayoutCopy(copy); }
    void AddLayoutCopy(CFormCopy* copy) override;
    void AddCopyDetails(CFormCopy* copy) override;
    void AddFieldDetails(CField* field, const void* block, int size, const char* comment) override;
    void Unused18() override {}
    void AddDocument(const char* path) override;
    void AddNamedSet(const char* name) override;
    int GetImageSize(const char*) override { return 0; }
    int ReadImage(const char*, void*, int) override { return 0; }
    void AttachFederalPrintManager(CPrintManager* federal) override { m_federalPm = federal; }

private:
    ~ModulePrintManager() = default;
    ModulePrintItem* add(int kind, CFormCopy* copy);
    void forEachReturnCopy(void (ModulePrintManager::*action)(CFormCopy*));
    void addStatement(CField* field, const std::string& block, const std::string& comment);

    std::vector<NamedPrintSet> m_sets;
    CFormManager* m_fm = nullptr;
    CFormManager* m_federalFm = nullptr;
    CPrintManager* m_federalPm = nullptr;
    CDetailsStore* m_store = nullptr;
    std::vector<std::unique_ptr<ModulePrintItem>> m_items;
};

} // namespace qv
