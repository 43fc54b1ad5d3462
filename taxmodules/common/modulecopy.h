#pragma once

#include "moduledef.h"
#include "modulefield.h"

#include <quorva/formcopy.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct CopyBlob;
class ModuleFormManager;

// One copy of a form kind. The parent is kept by identity (form name and copy number), not by
// pointer, so links survive any order of loading and never dangle after a deletion.
class ModuleCopy final : public CFormCopy {
public:
    ModuleCopy(ModuleFormManager& manager, int form, const FormDef& def, int copyNumber);

    ModuleFormManager& manager() { return m_manager; }
    const FormDef& def() const { return m_def; }
    int form() const { return m_form; }
    int copyNumber() const { return m_copyNumber; }
    void setCopyNumber(int number) { m_copyNumber = number; }
    unsigned flags() const { return m_flags; }
    const std::string& parentForm() const { return m_parentForm; }
    int parentNumber() const { return m_parentNumber; }
    void setParent(const std::string& form, int number);
    const std::string& title() const { return m_title; }
    // Field by name and element; null when the form has no such field.
    ModuleField* field(std::string_view name, int element = 0);
    // Values by field name for calculations; 0 / empty for an unknown name.
    std::int64_t value(std::string_view name, int element = 0);
    std::string text(std::string_view name, int element = 0);
    bool isSet(std::string_view name, int element = 0);
    void setCalculated(std::string_view name, std::int64_t value, int element = 0);
    void setCalculatedText(std::string_view name, const std::string& text, int element = 0);
    void setCalculatedReal(std::string_view name, double value, int element = 0);
    void updateTitle();

    CopyBlob snapshot() const;
    // Takes over the values whose field (the saved field number translated by `numberOf`)
    // still exists with the same type. An import from last year's return takes only the
    // carry-forward fields and marks the copy and those fields as imported.
    void restore(const CopyBlob& blob, const std::function<int(int)>& numberOf, bool imported);

    int GetFormIndex() override { return m_form; }
    int GetCopyNumber() override { return m_copyNumber; }
    int GetOrdinal() override;
    CFormCopy* GetParentCopy() override;
    void SetParentCopy(CFormCopy* parent, int link) override;
    int GetDataSize() override;
    int GetData(void* buffer, int size) override;
    int SetData(const void* blob, int size) override;
    int TestFlag(unsigned mask) override { return (m_flags & mask) != 0; }
    void SetCopyFlag(unsigned mask, int on) override;
    void Unused10() override {}
    CField* GetField(int number) override;
    int GetCopyTitle(char* buffer, int size) override;
    void Prepare() override;
    void Unused14() override {}
    void SelectOption(int fieldNumber) override;
    int GetOptionGroup(int fieldNumber) override;
    CFormManager* GetFormManager() override;

private:
    ModuleFormManager& m_manager;
    int m_form;
    const FormDef& m_def;
    int m_copyNumber;
    unsigned m_flags = 0;
    std::string m_parentForm;
    int m_parentNumber = 0;
    std::string m_title;
    std::vector<std::unique_ptr<ModuleField>> m_fields; // index = field number - 1
};

} // namespace qv
