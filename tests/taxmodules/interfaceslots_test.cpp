// The interfaces are binary contracts with modules built elsewhere, so every operation must sit
// in its fixed virtual-table slot. A pointer to a virtual member function holds, in the
// Itanium C++ ABI, 1 + the byte offset of its slot; that gives each operation's slot without
// calling anything. A virtual added by a derived class lands in the first slot after the
// interface's own, which checks the total count.
#include <quorva/detailsstore.h>
#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>
#include <quorva/printitem.h>
#include <quorva/printmanager.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

template <class M>
long slotOf(M member) {
    static_assert(sizeof(M) == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t raw[2];
    std::memcpy(raw, &member, sizeof raw);
    if ((raw[0] & 1) == 0 || raw[1] != 0)
        return -1; // not a virtual function of the class itself
    return long((raw[0] - 1) / std::ptrdiff_t(sizeof(void*)));
}

struct FormManagerProbe : CFormManager {
    virtual void Next() = 0;
};
struct FormCopyProbe : CFormCopy {
    virtual void Next() = 0;
};
struct FieldProbe : CField {
    virtual void Next() = 0;
};
struct PrintManagerProbe : CPrintManager {
    virtual void Next() = 0;
};
struct PrintItemProbe : CPrintItem {
    virtual void Next() = 0;
};
struct PrintElementProbe : CPrintElement {
    virtual void Next() = 0;
};
struct DetailsStoreProbe : CDetailsStore {
    virtual void Next() = 0;
};

#define SLOT(cls, op, n) EXPECT_EQ(slotOf(&cls::op), n) << #cls "::" #op

TEST(InterfaceSlots, FormManager) {
    SLOT(CFormManager, Initialize, 0);
    SLOT(CFormManager, Release, 1);
    SLOT(CFormManager, CreateDefaultForms, 2);
    SLOT(CFormManager, ClearAll, 3);
    SLOT(CFormManager, FindForm, 4);
    SLOT(CFormManager, FindField, 5);
    SLOT(CFormManager, Unused6, 6);
    SLOT(CFormManager, AddFormCopy, 7);
    SLOT(CFormManager, ReleaseCopy, 8);
    SLOT(CFormManager, FindFormCopy, 9);
    SLOT(CFormManager, GetFormCopy, 10);
    SLOT(CFormManager, GetCopyCount, 11);
    SLOT(CFormManager, GetMaxCopies, 12);
    SLOT(CFormManager, GetFieldCount, 13);
    SLOT(CFormManager, TestFormFlag, 14);
    SLOT(CFormManager, GetFormCount, 15);
    SLOT(CFormManager, IsFederal, 16);
    SLOT(CFormManager, IsDependentModule, 17);
    SLOT(CFormManager, GetModuleName, 18);
    SLOT(CFormManager, GetModuleVersion, 19);
    SLOT(CFormManager, GetModuleTitle, 20);
    SLOT(CFormManager, GetFormName, 21);
    SLOT(CFormManager, GetFieldName, 22);
    SLOT(CFormManager, GetFormTitle, 23);
    SLOT(CFormManager, GetFormLongTitle, 24);
    SLOT(CFormManager, GetCategoryOrder, 25);
    SLOT(CFormManager, RecalculateAll, 26);
    SLOT(CFormManager, GetTreeCount, 27);
    SLOT(CFormManager, GetTreeNode, 28);
    SLOT(CFormManager, GetFieldFlag, 29);
    SLOT(CFormManager, GetFieldValue, 30);
    SLOT(CFormManager, Unused31, 31);
    SLOT(CFormManager, GetFieldText, 32);
    SLOT(CFormManager, GetFieldByName, 33);
    SLOT(CFormManager, AttachFederal, 34);
    SLOT(CFormManager, LinkStateModule, 35);
    SLOT(CFormManager, UnlinkStateModule, 36);
    SLOT(CFormManager, Unused37, 37);
    SLOT(CFormManager, Unused38, 38);
    SLOT(CFormManager, CountRelatedCopies, 39);
    SLOT(CFormManager, GetRelatedCopy, 40);
    SLOT(CFormManager, Unused41, 41);
    SLOT(CFormManager, DeleteFormCopy, 42);
    SLOT(CFormManager, GetFormRelation, 43);
    SLOT(CFormManager, Unused44, 44);
    SLOT(CFormManager, GetMaxChildCopies, 45);
    SLOT(CFormManager, GetMaxFederalChildCopies, 46);
    SLOT(CFormManager, GetChildCopyCount, 47);
    SLOT(CFormManager, GetChildCopy, 48);
    SLOT(CFormManager, IsMadeFromParent, 49);
    SLOT(CFormManager, IsMadeFromFederalParent, 50);
    SLOT(CFormManager, GetParentFormCount, 51);
    SLOT(CFormManager, GetParentForm, 52);
    SLOT(CFormManager, GetFederalParentFormCount, 53);
    SLOT(CFormManager, GetFederalParentForm, 54);
    SLOT(CFormManager, GetTransferFormCount, 55);
    SLOT(CFormManager, GetTransferForm, 56);
    SLOT(CFormManager, Unused57, 57);
    SLOT(CFormManager, Unused58, 58);
    SLOT(CFormManager, GetModuleMapSize, 59);
    SLOT(CFormManager, GetModuleMap, 60);
    SLOT(CFormManager, GetFormMapSize, 61);
    SLOT(CFormManager, GetFormMap, 62);
    SLOT(CFormManager, ImportFormData, 63);
    SLOT(CFormManager, Unused64, 64);
    SLOT(CFormManager, Unused65, 65);
    SLOT(CFormManager, SetDetailsStore, 66);
    SLOT(CFormManager, ImportPriorYearForm, 67);
    SLOT(CFormManager, Unused68, 68);
    SLOT(CFormManager, Unused69, 69);
    SLOT(CFormManager, Unused70, 70);
    SLOT(CFormManager, GetNewCopyInterviewTarget, 71);
    SLOT(CFormManager, GetCopyInterviewTarget, 72);
    SLOT(FormManagerProbe, Next, FORM_MANAGER_SLOTS);
    EXPECT_EQ(FORM_MANAGER_SLOTS, 73);
}

TEST(InterfaceSlots, FormCopy) {
    SLOT(CFormCopy, GetFormIndex, 0);
    SLOT(CFormCopy, GetCopyNumber, 1);
    SLOT(CFormCopy, GetOrdinal, 2);
    SLOT(CFormCopy, GetParentCopy, 3);
    SLOT(CFormCopy, SetParentCopy, 4);
    SLOT(CFormCopy, GetDataSize, 5);
    SLOT(CFormCopy, GetData, 6);
    SLOT(CFormCopy, SetData, 7);
    SLOT(CFormCopy, TestFlag, 8);
    SLOT(CFormCopy, SetCopyFlag, 9);
    SLOT(CFormCopy, Unused10, 10);
    SLOT(CFormCopy, GetField, 11);
    SLOT(CFormCopy, GetCopyTitle, 12);
    SLOT(CFormCopy, Prepare, 13);
    SLOT(CFormCopy, Unused14, 14);
    SLOT(CFormCopy, SelectOption, 15);
    SLOT(CFormCopy, GetOptionGroup, 16);
    SLOT(CFormCopy, GetFormManager, 17);
    SLOT(FormCopyProbe, Next, FORM_COPY_SLOTS);
    EXPECT_EQ(FORM_COPY_SLOTS, 18);
}

TEST(InterfaceSlots, Field) {
    SLOT(CField, GetFieldNumber, 0);
    SLOT(CField, GetElementIndex, 1);
    SLOT(CField, GetType, 2);
    SLOT(CField, GetCopy, 3);
    SLOT(CField, TestFlag, 4);
    SLOT(CField, SetFlag, 5);
    SLOT(CField, Refresh, 6);
    SLOT(CField, GetLong, 7);
    SLOT(CField, GetMoney, 8);
    SLOT(CField, GetDouble, 9);
    SLOT(CField, IsSet, 10);
    SLOT(CField, GetDate, 11);
    SLOT(CField, GetText, 12);
    SLOT(CField, SetLong, 13);
    SLOT(CField, SetMoney, 14);
    SLOT(CField, SetDouble, 15);
    SLOT(CField, SetChecked, 16);
    SLOT(CField, SetDate, 17);
    SLOT(CField, SetText, 18);
    SLOT(CField, GetLongMin, 19);
    SLOT(CField, GetLongMax, 20);
    SLOT(CField, GetMoneyMin, 21);
    SLOT(CField, GetMoneyMax, 22);
    SLOT(CField, GetDoubleMin, 23);
    SLOT(CField, GetDoubleMax, 24);
    SLOT(CField, Unused25, 25);
    SLOT(CField, GetChoice, 26);
    SLOT(CField, GetChoiceCount, 27);
    SLOT(CField, GetChoiceLabel, 28);
    SLOT(CField, GetChoiceText, 29);
    SLOT(CField, Unused30, 30);
    SLOT(CField, SetChoice, 31);
    SLOT(FieldProbe, Next, FIELD_SLOTS);
    EXPECT_EQ(FIELD_SLOTS, 32);
}

TEST(InterfaceSlots, PrintManager) {
    SLOT(CPrintManager, Initialize, 0);
    SLOT(CPrintManager, AttachFormManager, 1);
    SLOT(CPrintManager, AttachFederalFormManager, 2);
    SLOT(CPrintManager, Unused3, 3);
    SLOT(CPrintManager, GetFormManager, 4);
    SLOT(CPrintManager, SetDetailsStore, 5);
    SLOT(CPrintManager, Release, 6);
    SLOT(CPrintManager, ClearItems, 7);
    SLOT(CPrintManager, GetItemCount, 8);
    SLOT(CPrintManager, GetItem, 9);
    SLOT(CPrintManager, Unused10, 10);
    SLOT(CPrintManager, AddReturn, 11);
    SLOT(CPrintManager, AddReturnDetails, 12);
    SLOT(CPrintManager, CanPrintForm, 13);
    SLOT(CPrintManager, AddCopy, 14);
    SLOT(CPrintManager, AddLayoutCopy, 15);
    SLOT(CPrintManager, AddCopyDetails, 16);
    SLOT(CPrintManager, AddFieldDetails, 17);
    SLOT(CPrintManager, Unused18, 18);
    SLOT(CPrintManager, AddDocument, 19);
    SLOT(CPrintManager, AddNamedSet, 20);
    SLOT(CPrintManager, GetImageSize, 21);
    SLOT(CPrintManager, ReadImage, 22);
    SLOT(CPrintManager, AttachFederalPrintManager, 23);
    SLOT(PrintManagerProbe, Next, PRINT_MANAGER_SLOTS);
    EXPECT_EQ(PRINT_MANAGER_SLOTS, 24);
}

TEST(InterfaceSlots, PrintItemElementAndDetailsStore) {
    SLOT(CPrintItem, GetPrintManager, 0);
    SLOT(CPrintItem, GetKind, 1);
    SLOT(CPrintItem, TestFlag, 2);
    SLOT(CPrintItem, GetPageCount, 3);
    SLOT(CPrintItem, GetElementCount, 4);
    SLOT(CPrintItem, GetElement, 5);
    SLOT(CPrintItem, GetItemCopy, 6);
    SLOT(CPrintItem, GetWindow, 7);
    SLOT(CPrintItem, SetWindow, 8);
    SLOT(CPrintItem, SetPageCount, 9);
    SLOT(CPrintItem, GetDocumentPath, 10);
    SLOT(PrintItemProbe, Next, PRINT_ITEM_SLOTS);

    SLOT(CPrintElement, GetType, 0);
    SLOT(CPrintElement, TestFlag, 1);
    SLOT(CPrintElement, GetPage, 2);
    SLOT(CPrintElement, GetRow, 3);
    SLOT(CPrintElement, GetColumn, 4);
    SLOT(CPrintElement, GetWidth, 5);
    SLOT(CPrintElement, GetText, 6);
    SLOT(PrintElementProbe, Next, PRINT_ELEMENT_SLOTS);

    SLOT(CDetailsStore, GetDetailsListSize, 0);
    SLOT(CDetailsStore, ReadDetailsList, 1);
    SLOT(CDetailsStore, GetDetailsNoteSize, 2);
    SLOT(CDetailsStore, ReadDetailsNote, 3);
    SLOT(CDetailsStore, AddPrintItem, 4);
    SLOT(CDetailsStore, ResetPrintItems, 5);
    SLOT(CDetailsStore, GetPrintItem, 6);
    SLOT(CDetailsStore, GetPrintItemCount, 7);
    SLOT(DetailsStoreProbe, Next, DETAILS_STORE_SLOTS);
}

} // namespace
