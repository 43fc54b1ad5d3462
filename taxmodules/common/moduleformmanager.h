#pragma once

#include "modulecopy.h"
#include "moduledef.h"
#include "savedata.h"

#include <quorva/formmanager.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A form manager answering every slot from a module's tables. Copies live per form kind in
// ordinal order; the module's calculation runs after every change the program reports.
class ModuleFormManager final : public CFormManager {
public:
    explicit ModuleFormManager(const ModuleDef& def);

    // For calculations and the engine's own classes.
    const ModuleDef& def() const { return m_def; }
    int formIndex(std::string_view name) const;
    const FormDef* formDef(int form) const;
    std::vector<ModuleCopy*> copiesOf(std::string_view form);
    ModuleCopy* firstCopy(std::string_view form);
    CFormManager* federal() const { return m_federal; }
    int ordinalOf(const ModuleCopy& copy) const;
    // The copy a saved parent link names: this module's form first, then the federal one.
    CFormCopy* resolveCopy(const std::string& form, int number);
    // A field's Refresh: recalculates when anything changed since the last calculation.
    void fieldChanged(ModuleCopy& copy);
    void recalculate();
    // Runs the kind's own preparation; what it writes counts as calculated, not as a change.
    void prepareCopy(ModuleCopy& copy);
    // Notes a change made through the field and copy operations; changes the calculation
    // itself makes do not count.
    void markChanged() {
        if (!m_calculating)
            m_changed = true;
    }
    struct FieldSlot {
        const FieldDef* def;
        int element;
    };
    const std::vector<FieldSlot>& fieldSlots(int form) const;
    int fieldNumber(int form, std::string_view name, int element) const;
    bool copyNumberTaken(int form, int number, const ModuleCopy* except) const;

    int Initialize() override { return 1; }
    void Release() override { delete this; }
    int CreateDefaultForms() override;
    void ClearAll() override;
    int FindForm(const char* name) override;
    int FindField(int form, const char* name, int element) override;
    void Unused6() override {}
    CFormCopy* AddFormCopy(int form, int initialise, int reserved) override;
    void ReleaseCopy(CFormCopy*) override {}
    CFormCopy* FindFormCopy(int form, int copyNumber) override;
    CFormCopy* GetFormCopy(int form, int ordinal) override;
    int GetCopyCount(int form) override;
    int GetMaxCopies(int form) override;
    int GetFieldCount(int form) override;
    int TestFormFlag(int form, unsigned mask) override;
    int GetFormCount() override { return int(m_forms.size()); }
    int IsFederal() override { return m_def.federal; }
    int IsDependentModule() override { return !m_def.federal; }
    int GetModuleName(char* buffer, int size) override;
    int GetModuleVersion(char* buffer, int size) override;
    int GetModuleTitle(char* buffer, int size) override;
    int GetFormName(char* buffer, int size, int form) override;
    int GetFieldName(char* buffer, int size, int form, int field) override;
    int GetFormTitle(char* buffer, int size, int form) override;
    int GetFormLongTitle(char* buffer, int size, int form) override;
    int GetCategoryOrder(int form, unsigned category) override;
    void RecalculateAll() override { recalculate(); }
    int GetTreeCount() override { return 0; }
    const void* GetTreeNode(int) override { return nullptr; }
    int GetFieldFlag(const char* name) override;
    std::int64_t GetFieldValue(const char* name) override;
    void Unused31() override {}
    int GetFieldText(char* buffer, int size, const char* name) override;
    CField* GetFieldByName(const char* name) override;
    void AttachFederal(CFormManager* federal) override { m_federal = federal; }
    void LinkStateModule(CFormManager* state) override;
    void UnlinkStateModule(CFormManager* state) override;
    void Unused37() override {}
    void Unused38() override {}
    int CountRelatedCopies(CFormCopy* copy) override;
    CFormCopy* GetRelatedCopy(CFormCopy* copy, int n) override;
    void Unused41() override {}
    int DeleteFormCopy(CFormCopy* copy) override;
    int GetFormRelation(int parentForm, int childForm) override;
    void Unused44() override {}
    int GetMaxChildCopies(int parentForm, int childForm) override;
    int GetMaxFederalChildCopies(int parentForm, int childForm) override;
    int GetChildCopyCount(CFormCopy* parent, int childForm) override;
    CFormCopy* GetChildCopy(CFormCopy* parent, int childForm, int n) override;
    int IsMadeFromParent(int form) override;
    int IsMadeFromFederalParent(int form) override;
    int GetParentFormCount(int form) override;
    int GetParentForm(int form, int n) override;
    int GetFederalParentFormCount(int form) override;
    int GetFederalParentForm(int form, int n) override;
    int GetTransferFormCount(int form) override;
    int GetTransferForm(int form, int n) override;
    void Unused57() override {}
    void Unused58() override {}
    int GetModuleMapSize() override;
    int GetModuleMap(void* buffer, int size) override;
    int GetFormMapSize(int form) override;
    int GetFormMap(int form, void* buffer, int size) override;
    int ImportFormData(const char* formName, const char* savedVersion, const void* moduleMap,
                       int moduleMapSize, const void* federalMap, int federalMapSize,
                       const void* formMap, int formMapSize, const void* data,
                       int dataSize) override;
    void Unused64() override {}
    void Unused65() override {}
    void SetDetailsStore(CDetailsStore* store) override { m_store = store; }
    int ImportPriorYearForm(const char* formName, const char* priorVersion, const void* moduleMap,
                            int moduleMapSize, const void* formMap, int formMapSize,
                            const void* data, int dataSize) override;
    void Unused68() override {}
    void Unused69() override {}
    void Unused70() override {}
    int GetNewCopyInterviewTarget(char* buffer, int size, int form) override;
    int GetCopyInterviewTarget(char* buffer, int size, CFormCopy* copy) override;

private:
    ~ModuleFormManager() = default;
    struct FormState {
        std::vector<FieldSlot> slots;         // index = field number - 1
        std::map<std::string, int> firstSlot; // upper-cased name -> first field number
        std::vector<std::unique_ptr<ModuleCopy>> copies;
    };
    FormState* state(int form);
    const FormState* state(int form) const;
    ModuleCopy* own(CFormCopy* copy) const;
    ModuleCopy* addCopy(int form, bool initialise);
    int freshCopyNumber(int form) const;
    std::vector<CFormCopy*> childrenOf(CFormCopy* parent, int form) const;
    ModuleField* globalField(const char* name);
    std::string moduleMapBytes() const;
    std::string formMapBytes(int form) const;
    std::vector<int> kindsNamed(const std::vector<std::string>& names, bool skipNoTransfer);
    int importCopy(const char* formName, const void* formMap, int formMapSize, const void* data,
                   int dataSize, bool priorYear);

    const ModuleDef& m_def;
    std::vector<FormState> m_forms; // index = form index - 1
    std::map<std::string, int> m_formIndex;
    CDetailsStore* m_store = nullptr;
    CFormManager* m_federal = nullptr;
    std::vector<CFormManager*> m_states;
    bool m_calculating = false;
    bool m_changed = true;
};

} // namespace qv
