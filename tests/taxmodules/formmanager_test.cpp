// The form managers of FEDCALC.so and ILCALC.so through their slots: identity, default forms,
// lookups, copies and their numbering, parent and child copies, module-global names.
#include "moduletest.h"

#include <quorva/export.h>

#include <set>

namespace {

using FormManagerTest = TaxModuleTest;

TEST_F(FormManagerTest, LibrariesExportTheirManagersAndVersion) {
    struct Case {
        const char* file;
        bool formManager;
        bool printManager;
    };
    for (const Case& c : {Case{"FEDCALC.so", true, false}, Case{"FEDPRINT.so", false, true},
                          Case{"ILCALC.so", true, true}}) {
        pf::Library* lib = library(c.file);
        ASSERT_NE(lib, nullptr);
        EXPECT_EQ(lib->resolve("CreateFormManager") != nullptr, c.formManager) << c.file;
        EXPECT_EQ(lib->resolve("CreatePrintManager") != nullptr, c.printManager) << c.file;
        EXPECT_EQ(lib->fileVersion(), QuorvaMakeVersion(1, 0, 0, 1)) << c.file;
    }
}

TEST_F(FormManagerTest, ModuleIdentity) {
    loadFederalAndIllinois();
    EXPECT_EQ(text([&](char* b, int n) { fed->GetModuleName(b, n); }), "FEDERAL");
    EXPECT_EQ(text([&](char* b, int n) { fed->GetModuleTitle(b, n); }), "Federal");
    EXPECT_NE(fed->IsFederal(), 0);
    EXPECT_EQ(fed->IsDependentModule(), 0);
    EXPECT_EQ(text([&](char* b, int n) { il->GetModuleName(b, n); }), "IL");
    EXPECT_EQ(text([&](char* b, int n) { il->GetModuleTitle(b, n); }), "Illinois");
    EXPECT_EQ(il->IsFederal(), 0);
    EXPECT_NE(il->IsDependentModule(), 0);
    // Two blank-separated tokens.
    const std::string version = text([&](char* b, int n) { fed->GetModuleVersion(b, n); });
    EXPECT_EQ(std::count(version.begin(), version.end(), ' '), 1) << version;
    // A buffer too small for the text gets a cut, terminated text.
    char small[4];
    EXPECT_EQ(fed->GetModuleName(small, sizeof small), 3);
    EXPECT_STREQ(small, "FED");
}

TEST_F(FormManagerTest, DefaultFormsAreMadeOnceAndRequired) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int f1040 = fm->FindForm("USF1040");
    ASSERT_EQ(fm->GetCopyCount(f1040), 1);
    CFormCopy* copy = fm->FindFormCopy(f1040, 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->TestFlag(CF_REQUIRED), 0);
    EXPECT_NE(fm->TestFormFlag(f1040, FMF_ALWAYS), 0);
    EXPECT_EQ(fm->TestFormFlag(fm->FindForm("USDW2"), FMF_ALWAYS), 0);
    // Reset State Data calls it again on a module that already has its defaults.
    EXPECT_NE(fm->CreateDefaultForms(), 0);
    EXPECT_EQ(fm->GetCopyCount(f1040), 1);
    EXPECT_EQ(fm->FindFormCopy(f1040, 1), copy);
    fm->ClearAll();
    for (int form = 1; form <= fm->GetFormCount(); ++form)
        EXPECT_EQ(fm->GetCopyCount(form), 0);
    EXPECT_NE(fm->CreateDefaultForms(), 0);
    EXPECT_EQ(fm->GetCopyCount(f1040), 1);
    EXPECT_NE(fm->FindFormCopy(f1040, 1), nullptr);
}

TEST_F(FormManagerTest, NamesAreFoundIgnoringCase) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int f1040 = fm->FindForm("USF1040");
    ASSERT_GE(f1040, 1);
    EXPECT_EQ(fm->FindForm("usf1040"), f1040);
    EXPECT_EQ(fm->FindForm("UsF1040"), f1040);
    EXPECT_EQ(fm->FindForm("USF1040Z"), 0);
    EXPECT_EQ(fm->FindForm(""), 0);
    const int l8a = fm->FindField(f1040, "L8a", 0);
    EXPECT_GE(l8a, 1);
    EXPECT_EQ(fm->FindField(f1040, "l8A", 0), l8a);
    EXPECT_EQ(fm->FindField(f1040, "L8a", 1), 0); // no second element
    EXPECT_EQ(fm->FindField(f1040, "L999", 0), 0);
    EXPECT_EQ(fm->FindField(0, "L8a", 0), 0);
    EXPECT_EQ(fm->FindField(fm->FindForm("usdw2"), "wages", 0),
              fm->FindField(fm->FindForm("USDW2"), "WAGES", 0));
}

// Every name a manager gives out leads back to the same form and field, for every form.
TEST_F(FormManagerTest, EveryFormAndFieldNameLeadsBack) {
    for (const char* file : {"FEDCALC.so", "ILCALC.so"}) {
        CFormManager* fm = formManager(file);
        ASSERT_GE(fm->GetFormCount(), 2) << file;
        std::set<std::string> names;
        for (int form = 1; form <= fm->GetFormCount(); ++form) {
            const std::string name = text([&](char* b, int n) { fm->GetFormName(b, n, form); });
            EXPECT_TRUE(names.insert(name).second) << "duplicate form " << name;
            EXPECT_EQ(fm->FindForm(name.c_str()), form) << name;
            EXPECT_FALSE(text([&](char* b, int n) { fm->GetFormTitle(b, n, form); }).empty());
            EXPECT_GE(fm->GetFieldCount(form), 1) << name; // a layout binds field 1 at worst
            CFormCopy* copy =
                fm->GetCopyCount(form) ? fm->GetFormCopy(form, 1) : fm->AddFormCopy(form, 1, 0);
            ASSERT_NE(copy, nullptr) << name;
            for (int n = 1; n <= fm->GetFieldCount(form); ++n) {
                CField* f = copy->GetField(n);
                ASSERT_NE(f, nullptr) << name << " field " << n;
                const std::string fieldName =
                    text([&](char* b, int s) { fm->GetFieldName(b, s, form, n); });
                EXPECT_EQ(fm->FindField(form, fieldName.c_str(), f->GetElementIndex()), n)
                    << name << "." << fieldName;
                EXPECT_EQ(f->GetFieldNumber(), n);
                EXPECT_EQ(f->GetCopy(), copy);
            }
            EXPECT_EQ(copy->GetField(0), nullptr);
            EXPECT_EQ(copy->GetField(fm->GetFieldCount(form) + 1), nullptr);
            EXPECT_EQ(copy->GetFormManager(), fm);
        }
    }
}

TEST_F(FormManagerTest, CopyNumbersAreIdentitiesAndOrdinalsPositions) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int w2 = fm->FindForm("USDW2");
    CFormCopy* a = fm->AddFormCopy(w2, 1, 0);
    CFormCopy* b = fm->AddFormCopy(w2, 1, 0);
    CFormCopy* c = fm->AddFormCopy(w2, 1, 0);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->GetCopyNumber(), 1);
    EXPECT_EQ(b->GetCopyNumber(), 2);
    EXPECT_EQ(c->GetCopyNumber(), 3);
    EXPECT_EQ(fm->DeleteFormCopy(b), 1);
    // The later copy moves down one ordinal and keeps its number.
    EXPECT_EQ(fm->GetCopyCount(w2), 2);
    EXPECT_EQ(c->GetOrdinal(), 2);
    EXPECT_EQ(fm->GetFormCopy(w2, 2), c);
    EXPECT_EQ(fm->FindFormCopy(w2, 3), c);
    EXPECT_EQ(fm->FindFormCopy(w2, 2), nullptr);
    EXPECT_EQ(fm->GetFormCopy(w2, 0), nullptr);
    EXPECT_EQ(fm->FindFormCopy(w2, 0), nullptr);
    EXPECT_EQ(fm->GetFormCopy(w2, 3), nullptr);
    // A new copy never takes a number another copy had in this session.
    CFormCopy* d = fm->AddFormCopy(w2, 1, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetCopyNumber(), 4);
    EXPECT_EQ(d->GetOrdinal(), 3);
    // A copy of another manager is not this one's to delete.
    CFormManager* other = formManager("FEDCALC.so");
    EXPECT_EQ(other->DeleteFormCopy(d), 0);
    EXPECT_EQ(fm->GetCopyCount(w2), 3);
}

TEST_F(FormManagerTest, CopyLimits) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int f1040 = fm->FindForm("USF1040");
    EXPECT_EQ(fm->GetMaxCopies(f1040), 1);
    EXPECT_EQ(fm->AddFormCopy(f1040, 1, 0), nullptr);
    const int dep = fm->FindForm("USDDEP");
    const int max = fm->GetMaxCopies(dep);
    ASSERT_GT(max, 1);
    for (int i = 0; i < max; ++i)
        ASSERT_NE(fm->AddFormCopy(dep, 1, 0), nullptr) << i;
    EXPECT_EQ(fm->AddFormCopy(dep, 1, 0), nullptr);
    EXPECT_EQ(fm->GetCopyCount(dep), max);
    EXPECT_EQ(fm->AddFormCopy(0, 1, 0), nullptr);
    EXPECT_EQ(fm->AddFormCopy(fm->GetFormCount() + 1, 1, 0), nullptr);
}

TEST_F(FormManagerTest, ChildCopiesGoWithTheirParent) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int w2 = fm->FindForm("USDW2");
    const int w2c = fm->FindForm("USDW2C");
    EXPECT_NE(fm->IsMadeFromParent(w2c), 0);
    EXPECT_EQ(fm->IsMadeFromParent(w2), 0);
    EXPECT_NE(fm->GetFormRelation(w2, w2c), 0);
    EXPECT_EQ(fm->GetFormRelation(w2c, w2), 0);
    EXPECT_GT(fm->GetMaxChildCopies(w2, w2c), 0);
    EXPECT_EQ(fm->GetMaxChildCopies(fm->FindForm("USF1040"), w2c), 0);
    ASSERT_EQ(fm->GetParentFormCount(w2c), 1);
    EXPECT_EQ(fm->GetParentForm(w2c, 1), w2);
    EXPECT_EQ(fm->GetParentForm(w2c, 2), 0);

    CFormCopy* first = fm->AddFormCopy(w2, 1, 0);
    CFormCopy* second = fm->AddFormCopy(w2, 1, 0);
    CFormCopy* child1 = fm->AddFormCopy(w2c, 1, 0);
    CFormCopy* child2 = fm->AddFormCopy(w2c, 1, 0);
    CFormCopy* orphan = fm->AddFormCopy(w2c, 1, 0);
    child1->SetParentCopy(second, 1);
    child2->SetParentCopy(second, 1);
    EXPECT_EQ(child1->GetParentCopy(), second);
    EXPECT_EQ(orphan->GetParentCopy(), nullptr);
    EXPECT_EQ(fm->GetChildCopyCount(second, w2c), 2);
    EXPECT_EQ(fm->GetChildCopyCount(first, w2c), 0);
    EXPECT_EQ(fm->GetChildCopyCount(nullptr, w2c), 1);
    EXPECT_EQ(fm->GetChildCopy(second, w2c, 2), child2);
    EXPECT_EQ(fm->GetChildCopy(second, w2c, 3), nullptr);
    EXPECT_EQ(fm->CountRelatedCopies(second), 2);
    EXPECT_EQ(fm->GetRelatedCopy(second, 1), child1);

    // Deleting the first W-2 moves the parent to ordinal 1; the link holds by identity.
    fm->DeleteFormCopy(first);
    EXPECT_EQ(child1->GetParentCopy(), second);
    fm->DeleteFormCopy(second);
    EXPECT_EQ(fm->GetCopyCount(w2), 0);
    EXPECT_EQ(fm->GetCopyCount(w2c), 1);
    EXPECT_EQ(fm->GetFormCopy(w2c, 1), orphan);
}

TEST_F(FormManagerTest, CategoriesCountWithoutGaps) {
    CFormManager* fm = formManager("FEDCALC.so");
    for (unsigned category : {CAT_FORMS, CAT_DOCUMENTS, CAT_WORKSHEETS}) {
        std::set<int> positions;
        for (int form = 1; form <= fm->GetFormCount(); ++form) {
            if (const int pos = fm->GetCategoryOrder(form, category))
                positions.insert(pos);
        }
        ASSERT_FALSE(positions.empty()) << category;
        EXPECT_EQ(*positions.begin(), 1);
        EXPECT_EQ(*positions.rbegin(), int(positions.size())) << category;
    }
    EXPECT_EQ(fm->GetCategoryOrder(fm->FindForm("USF1040"), CAT_FORMS), 1);
    EXPECT_EQ(fm->GetCategoryOrder(fm->FindForm("USF1040"), CAT_DOCUMENTS), 0);
}

TEST_F(FormManagerTest, ModuleGlobalNamesReachOneSetOfFields) {
    CFormManager* fm = formManager("FEDCALC.so");
    CField* ssn = fm->GetFieldByName("tpssn");
    ASSERT_NE(ssn, nullptr);
    EXPECT_EQ(ssn->GetType(), FT_SSN);
    enterText(ssn, "123-45-6789");
    EXPECT_EQ(text([&](char* b, int n) { fm->GetFieldText(b, n, "TaxpayerSSN"); }), "123-45-6789");
    EXPECT_EQ(ssn, field(fm, "USF1040", 1, "SSN"));

    enterText(fm->GetFieldByName("TaxpayerFName"), "John");
    enterText(fm->GetFieldByName("TaxpayerLName"), "Smith");
    enterText(field(fm, "USF1040", 1, "SPFNAME"), "Mary");
    enterChoice(field(fm, "USF1040", 1, "FS"), 1);
    EXPECT_EQ(text([&](char* b, int n) { fm->GetFieldText(b, n, "CombNames"); }),
              "John & Mary Smith");
    EXPECT_EQ(fm->GetFieldValue("FS"), 1);

    CField* modified = fm->GetFieldByName("Modified");
    ASSERT_NE(modified, nullptr);
    EXPECT_EQ(fm->GetFieldFlag("Modified"), 0);
    modified->SetChecked(1);
    modified->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
    modified->Refresh();
    EXPECT_NE(fm->GetFieldFlag("Modified"), 0);
    EXPECT_NE(modified->TestFlag(FF_NOTMODIFYING), 0);

    EXPECT_EQ(fm->GetFieldByName("NoSuchField"), nullptr);
    EXPECT_EQ(text([&](char* b, int n) { fm->GetFieldText(b, n, "NoSuchField"); }), "");
    EXPECT_EQ(fm->GetFieldValue("NoSuchField"), 0);
    EXPECT_EQ(fm->GetFieldFlag("HaveWages"), 0);
    newCopy(fm, "USDW2");
    fm->RecalculateAll();
    EXPECT_NE(fm->GetFieldFlag("HaveWages"), 0);
}

TEST_F(FormManagerTest, InterviewEntriesMatchTheirFlags) {
    CFormManager* fm = formManager("FEDCALC.so");
    const int w2 = fm->FindForm("USDW2");
    EXPECT_NE(fm->TestFormFlag(w2, FMF_INTERVIEW), 0);
    const std::string target =
        text([&](char* b, int n) { fm->GetNewCopyInterviewTarget(b, n, w2); });
    const auto split = target.rfind('_');
    ASSERT_NE(split, std::string::npos) << target;
    EXPECT_GT(split, 0u);
    EXPECT_LT(split + 1, target.size());
    CFormCopy* copy = fm->AddFormCopy(w2, 1, 0);
    EXPECT_NE(copy->TestFlag(CF_INTERVIEW), 0);
    EXPECT_FALSE(text([&](char* b, int n) { fm->GetCopyInterviewTarget(b, n, copy); }).empty());
    const int dep = fm->FindForm("USDDEP");
    EXPECT_EQ(fm->TestFormFlag(dep, FMF_INTERVIEW | FMF_INTERVIEW_ALT), 0);
    EXPECT_EQ(text([&](char* b, int n) { fm->GetNewCopyInterviewTarget(b, n, dep); }), "");
}

TEST_F(FormManagerTest, FieldValuesFlagsAndChoices) {
    CFormManager* fm = formManager("FEDCALC.so");
    CField* status = field(fm, "USF1040", 1, "FS");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->GetType(), FT_CHOICE);
    EXPECT_EQ(status->GetChoice(), -1);
    EXPECT_EQ(status->GetChoiceCount(), 5);
    char buf[128];
    status->GetChoiceText(4, buf, sizeof buf);
    EXPECT_STREQ(buf, "Qualifying widow(er)");
    status->SetChoice(7);
    EXPECT_EQ(status->GetChoice(), -1);
    status->SetChoice(3);
    EXPECT_EQ(status->GetChoice(), 3);
    EXPECT_NE(status->IsSet(), 0);

    CField* l7 = field(fm, "USF1040", 1, "L7");
    EXPECT_NE(l7->TestFlag(FF_CALCULATED), 0);
    l7->SetFlag(FF_OVERRIDDEN, 1);
    EXPECT_NE(l7->TestFlag(FF_OVERRIDDEN | FF_ENTERED), 0);
    l7->SetFlag(FF_OVERRIDDEN | FF_CALCULATED, 0);
    EXPECT_EQ(l7->TestFlag(FF_OVERRIDDEN), 0);
    EXPECT_NE(l7->TestFlag(FF_CALCULATED), 0); // what the module defines stays
    EXPECT_GE(l7->GetMoneyMax(), 9999999999LL);

    CField* dob = field(newCopy(fm, "USDDEP"), "DOB");
    dob->SetText("Various");
    EXPECT_EQ(dob->GetDate(), DATE_VARIOUS);
    dob->SetText("03/15/1998");
    dob->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "03/15/1998");
    dob->SetDate(0);
    EXPECT_EQ(dob->IsSet(), 0);
    CField* months = field(fm->GetFormCopy(fm->FindForm("USDDEP"), 1), "MONTHS");
    EXPECT_EQ(months->GetLongMin(), 0);
    EXPECT_EQ(months->GetLongMax(), 12);
}

} // namespace
