#pragma once

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstdint>

// Every slot of the three interfaces answering "nothing": test fakes derive from these and
// override the few operations they model.

class NullField : public CField {
public:
    int GetFieldNumber() override { return 0; }
    int GetElementIndex() override { return 0; }
    int GetType() override { return 0; }
    CFormCopy* GetCopy() override { return nullptr; }
    int TestFlag(unsigned /*mask*/) override { return 0; }
    void SetFlag(unsigned /*mask*/, int /*on*/) override {}
    void Refresh() override {}
    std::int32_t GetLong() override { return 0; }
    std::int64_t GetMoney() override { return 0; }
    double GetDouble() override { return 0; }
    int IsSet() override { return 0; }
    std::int32_t GetDate() override { return 0; }
    int GetText(char* /*buffer*/, int /*size*/) override { return 0; }
    void SetLong(std::int32_t /*value*/) override {}
    void SetMoney(std::int64_t /*cents*/) override {}
    void SetDouble(double /*value*/) override {}
    void SetChecked(int /*on*/) override {}
    void SetDate(std::int32_t /*day*/) override {}
    void SetText(const char* /*text*/) override {}
    std::int32_t GetLongMin() override { return 0; }
    std::int32_t GetLongMax() override { return 0; }
    std::int64_t GetMoneyMin() override { return 0; }
    std::int64_t GetMoneyMax() override { return 0; }
    double GetDoubleMin() override { return 0; }
    double GetDoubleMax() override { return 0; }
    void Unused25() override {}
    int GetChoice() override { return 0; }
    int GetChoiceCount() override { return 0; }
    int GetChoiceLabel(int /*index*/, char* /*buffer*/, int /*size*/) override { return 0; }
    int GetChoiceText(int /*index*/, char* /*buffer*/, int /*size*/) override { return 0; }
    void Unused30() override {}
    void SetChoice(int /*index*/) override {}
    virtual ~NullField() = default;
};

class NullFormCopy : public CFormCopy {
public:
    int GetFormIndex() override { return 0; }
    int GetCopyNumber() override { return 0; }
    int GetOrdinal() override { return 0; }
    CFormCopy* GetParentCopy() override { return nullptr; }
    void SetParentCopy(CFormCopy* /*parent*/, int /*link*/) override {}
    int GetDataSize() override { return 0; }
    int GetData(void* /*buffer*/, int /*size*/) override { return 0; }
    int SetData(const void* /*blob*/, int /*size*/) override { return 0; }
    int TestFlag(unsigned /*mask*/) override { return 0; }
    void SetCopyFlag(unsigned /*mask*/, int /*on*/) override {}
    void Unused10() override {}
    CField* GetField(int /*number*/) override { return nullptr; }
    int GetCopyTitle(char* /*buffer*/, int /*size*/) override { return 0; }
    void Prepare() override {}
    void Unused14() override {}
    void SelectOption(int /*fieldNumber*/) override {}
    int GetOptionGroup(int /*fieldNumber*/) override { return 0; }
    CFormManager* GetFormManager() override { return nullptr; }
    virtual ~NullFormCopy() = default;
};

class NullFormManager : public CFormManager {
public:
    int Initialize() override { return 0; }
    void Release() override {}
    int CreateDefaultForms() override { return 0; }
    void ClearAll() override {}
    int FindForm(const char* /*name*/) override { return 0; }
    int FindField(int /*form*/, const char* /*name*/, int /*element*/) override { return 0; }
    void Unused6() override {}
    CFormCopy* AddFormCopy(int /*form*/, int /*initialise*/, int /*reserved*/) override {
        return nullptr;
    }
    void ReleaseCopy(CFormCopy* /*copy*/) override {}
    CFormCopy* FindFormCopy(int /*form*/, int /*copyNumber*/) override { return nullptr; }
    CFormCopy* GetFormCopy(int /*form*/, int /*ordinal*/) override { return nullptr; }
    int GetCopyCount(int /*form*/) override { return 0; }
    int GetMaxCopies(int /*form*/) override { return 0; }
    int GetFieldCount(int /*form*/) override { return 0; }
    int TestFormFlag(int /*form*/, unsigned /*mask*/) override { return 0; }
    int GetFormCount() override { return 0; }
    int IsFederal() override { return 0; }
    int IsDependentModule() override { return 0; }
    int GetModuleName(char* /*buffer*/, int /*size*/) override { return 0; }
    int GetModuleVersion(char* /*buffer*/, int /*size*/) override { return 0; }
    int GetModuleTitle(char* /*buffer*/, int /*size*/) override { return 0; }
    int GetFormName(char* /*buffer*/, int /*size*/, int /*form*/) override { return 0; }
    int GetFieldName(char* /*buffer*/, int /*size*/, int /*form*/, int /*field*/) override {
        return 0;
    }
    int GetFormTitle(char* /*buffer*/, int /*size*/, int /*form*/) override { return 0; }
    int GetFormLongTitle(char* /*buffer*/, int /*size*/, int /*form*/) override { return 0; }
    int GetCategoryOrder(int /*form*/, unsigned /*category*/) override { return 0; }
    void RecalculateAll() override {}
    int GetTreeCount() override { return 0; }
    const void* GetTreeNode(int /*index*/) override { return nullptr; }
    int GetFieldFlag(const char* /*name*/) override { return 0; }
    std::int64_t GetFieldValue(const char* /*name*/) override { return 0; }
    void Unused31() override {}
    int GetFieldText(char* /*buffer*/, int /*size*/, const char* /*name*/) override { return 0; }
    CField* GetFieldByName(const char* /*name*/) override { return nullptr; }
    void AttachFederal(CFormManager* /*federal*/) override {}
    void LinkStateModule(CFormManager* /*state*/) override {}
    void UnlinkStateModule(CFormManager* /*state*/) override {}
    void Unused37() override {}
    void Unused38() override {}
    int CountRelatedCopies(CFormCopy* /*copy*/) override { return 0; }
    CFormCopy* GetRelatedCopy(CFormCopy* /*copy*/, int /*n*/) override { return nullptr; }
    void Unused41() override {}
    int DeleteFormCopy(CFormCopy* /*copy*/) override { return 0; }
    int GetFormRelation(int /*parentForm*/, int /*childForm*/) override { return 0; }
    void Unused44() override {}
    int GetMaxChildCopies(int /*parentForm*/, int /*childForm*/) override { return 0; }
    int GetMaxFederalChildCopies(int /*parentForm*/, int /*childForm*/) override { return 0; }
    int GetChildCopyCount(CFormCopy* /*parent*/, int /*childForm*/) override { return 0; }
    CFormCopy* GetChildCopy(CFormCopy* /*parent*/, int /*childForm*/, int /*n*/) override {
        return nullptr;
    }
    int IsMadeFromParent(int /*form*/) override { return 0; }
    int IsMadeFromFederalParent(int /*form*/) override { return 0; }
    int GetParentFormCount(int /*form*/) override { return 0; }
    int GetParentForm(int /*form*/, int /*n*/) override { return 0; }
    int GetFederalParentFormCount(int /*form*/) override { return 0; }
    int GetFederalParentForm(int /*form*/, int /*n*/) override { return 0; }
    int GetTransferFormCount(int /*form*/) override { return 0; }
    int GetTransferForm(int /*form*/, int /*n*/) override { return 0; }
    void Unused57() override {}
    void Unused58() override {}
    int GetModuleMapSize() override { return 0; }
    int GetModuleMap(void* /*buffer*/, int /*size*/) override { return 0; }
    int GetFormMapSize(int /*form*/) override { return 0; }
    int GetFormMap(int /*form*/, void* /*buffer*/, int /*size*/) override { return 0; }
    int ImportFormData(const char* /*formName*/, const char* /*savedVersion*/,
                       const void* /*moduleMap*/, int /*moduleMapSize*/, const void* /*federalMap*/,
                       int /*federalMapSize*/, const void* /*formMap*/, int /*formMapSize*/,
                       const void* /*data*/, int /*dataSize*/) override {
        return 0;
    }
    void Unused64() override {}
    void Unused65() override {}
    void SetDetailsStore(CDetailsStore* /*store*/) override {}
    int ImportPriorYearForm(const char* /*formName*/, const char* /*priorVersion*/,
                            const void* /*moduleMap*/, int /*moduleMapSize*/,
                            const void* /*formMap*/, int /*formMapSize*/, const void* /*data*/,
                            int /*dataSize*/) override {
        return 0;
    }
    void Unused68() override {}
    void Unused69() override {}
    void Unused70() override {}
    int GetNewCopyInterviewTarget(char* /*buffer*/, int /*size*/, int /*form*/) override {
        return 0;
    }
    int GetCopyInterviewTarget(char* /*buffer*/, int /*size*/, CFormCopy* /*copy*/) override {
        return 0;
    }
    virtual ~NullFormManager() = default;
};
