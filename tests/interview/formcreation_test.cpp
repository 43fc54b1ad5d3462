#include "fakemodules.h"
#include "interview/formcreation.h"
#include "platform/messagebox.h"
#include "referencereturn.h"
#include "testenv.h"

#include <gtest/gtest.h>

namespace {

TEST(FormCreationRules, ChildParentPairs) {
    const struct {
        const char* child;
        const char* parent;
        bool allowed;
    } cases[] = {
        {"USF4562", "USSCHC", true},
        {"usf4562", "usSchF", true},
        {"USF4562", "USDW2", false},
        {"USDW2C", "USDW2", true},
        {"USWDEPR", "USF4562", true},
        {"USWLISTED", "USWDEPR", true},
        {"USSCHCSTEMP", "USDW2", true},
        {"USSCHC", "USF4562", false}, // USSCHC is no child
        {"USF4562", "USF4562", false},
        {"USDW2C", "USF1040", false},
        {"USWCOVERDELL", "USDRRB1099R", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.allowed, FormCreation::IsAllowedPair(c.child, c.parent))
            << c.child << " under " << c.parent;
}

class FormCreationTest : public ReferenceReturnTest {
protected:
    void SetUp() override {
        loadModules();
        w2Form = form("USDW2");
        w2 = FormCreation::CreateRootForm(fed, w2Form);
        ASSERT_NE(nullptr, w2);
    }
    CopyContext onW2() const {
        return {1, std::uint16_t(w2Form), std::uint16_t(w2->GetCopyNumber())};
    }
    CopyContext setUp(const std::string& formField, CopyContext view) {
        Question q;
        q.form = formField;
        EXPECT_TRUE(FormSetup(*set).SetUpFormRec(q, view)) << formField;
        return view;
    }

    int w2Form = 0;
    CFormCopy* w2 = nullptr;
};

TEST_F(FormCreationTest, RootAndChildCopiesFollowTheKinds) {
    EXPECT_EQ(nullptr, FormCreation::CreateRootForm(fed, form("USDW2C")));
    EXPECT_EQ(nullptr, FormCreation::CreateRootForm(fed, 0));
    EXPECT_EQ(1, fed->GetCopyCount(w2Form));

    const int continuation = form("USDW2C");
    EXPECT_EQ(nullptr, FormCreation::CreateChildForm(fed, w2, 0, continuation));
    EXPECT_EQ(nullptr, FormCreation::CreateChildForm(fed, nullptr, 1, continuation));
    EXPECT_EQ(nullptr, FormCreation::CreateChildForm(fed, copy("USF1040", 1), 1, continuation));
    EXPECT_EQ(0, w2->TestFlag(CF_CHANGED));
    CFormCopy* child = FormCreation::CreateChildForm(fed, w2, 1, continuation);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(w2, child->GetParentCopy());
    EXPECT_NE(0, w2->TestFlag(CF_USERMODIFIED));
    EXPECT_NE(0, w2->TestFlag(CF_HASENTRIES));
}

TEST_F(FormCreationTest, ChildCopiesUpToTheLimitThenTheFirstWithAMessage) {
    const int continuation = form("USDW2C");
    std::vector<int> made;
    for (int i = 0; i < 5; ++i) {
        const CopyContext view = setUp("USDW2C,NEWCOPY", onW2());
        EXPECT_EQ(continuation, view.form);
        made.push_back(view.copy);
    }
    EXPECT_EQ(5, fed->GetChildCopyCount(w2, continuation));
    qvtest::expectBox(FormSetup::copyLimitMessage(), pf::IDOK, pf::MB_OK | pf::MB_ICONWARNING);
    const CopyContext limited = setUp("usdw2c,newcopy", onW2());
    EXPECT_EQ(made.front(), limited.copy);
    EXPECT_EQ(5, fed->GetChildCopyCount(w2, continuation));
    EXPECT_EQ(made.front(), setUp("USDW2C,1", onW2()).copy);
}

TEST_F(FormCreationTest, RootCopyRules) {
    const int f1040 = form("USF1040");
    const int first1040 = copy("USF1040", 1)->GetCopyNumber();
    const CopyContext cases[] = {
        setUp("USF1040,NEWCOPY", onW2()), // one copy allowed, and it exists
        setUp("USF1040,FIRSTCOPY", {}),
        setUp("USF1040,REVIEWCOPY", {}),
    };
    for (const CopyContext& c : cases)
        EXPECT_EQ((CopyContext{1, std::uint16_t(f1040), std::uint16_t(first1040)}), c);

    EXPECT_EQ(CopyContext(), setUp("", onW2()));
    EXPECT_EQ((CopyContext{1, 0, 0}), setUp("USNOSUCH,1", onW2()));
    EXPECT_EQ(onW2(), setUp("USDW2", onW2())); // CURRENTCOPY keeps the view's copy

    const CopyContext second = setUp("USDW2,2", onW2()); // no second copy yet: made
    EXPECT_EQ(2, fed->GetCopyCount(w2Form));
    EXPECT_EQ(fed->GetFormCopy(w2Form, 2)->GetCopyNumber(), second.copy);
    EXPECT_EQ(second.copy, setUp("USDW2,2", onW2()).copy);

    // A dependent while the view is on a W-2: an unrelated form of the same module.
    const int dependents = form("USDDEP");
    const CopyContext dep = setUp("USDDEP,NEWCOPY", onW2());
    EXPECT_EQ(dependents, dep.form);
    EXPECT_EQ(1, fed->GetCopyCount(dependents));
    const CopyContext pending{1, std::uint16_t(dependents), 77};
    Question q;
    q.form = "USDDEP,CURRENTCOPY";
    CopyContext view = onW2();
    ASSERT_TRUE(FormSetup(*set).SetUpFormRec(q, view, &pending));
    EXPECT_EQ(77, view.copy);
    view = onW2();
    ASSERT_TRUE(FormSetup(*set).SetUpFormRec(q, view));
    EXPECT_EQ(onW2(), view);

    while (fed->GetCopyCount(w2Form) < fed->GetMaxCopies(w2Form))
        ASSERT_NE(nullptr, fed->AddFormCopy(w2Form, 1, 0));
    qvtest::expectBox(FormSetup::copyLimitMessage(), pf::IDOK);
    EXPECT_EQ(w2->GetCopyNumber(), setUp("USDW2,NEWCOPY", {}).copy);
    EXPECT_EQ(1u, qvtest::shownBoxes().size());
}

TEST_F(FormCreationTest, AQuestionsOwnContextGetsACopyWhenItsCopyIsGone) {
    Question q;
    q.copyContext = {1, std::uint16_t(w2Form), 0};
    CopyContext view;
    ASSERT_TRUE(FormSetup(*set).SetUpFormRec(q, view));
    EXPECT_EQ(w2Form, view.form);
    EXPECT_EQ(2, fed->GetCopyCount(w2Form));
    EXPECT_EQ(fed->GetFormCopy(w2Form, 2)->GetCopyNumber(), view.copy);
}

TEST_F(FormCreationTest, DeletingACopyRemovesItsDetails) {
    const int number = w2->GetCopyNumber();
    char own[64], other[64];
    std::snprintf(own, sizeof own, "DL_FEDERAL_USDW2_%03d", number);
    std::snprintf(other, sizeof other, "DL_FEDERAL_USDW2_%03d", number + 1);
    returnFile.Put(std::string(own) + "_WAGES", "x", 1);
    returnFile.Put(std::string("DN") + (own + 2), "x", 1);
    returnFile.Put(other, "x", 1);
    const CopyContext context = onW2();
    ASSERT_TRUE(FormCreation::DeleteCopy(*set, &returnFile, context));
    EXPECT_EQ(nullptr, fed->FindFormCopy(w2Form, number));
    EXPECT_EQ(0, returnFile.Exists(std::string(own) + "_WAGES"));
    EXPECT_EQ(0, returnFile.Exists(std::string("DN") + (own + 2)));
    EXPECT_EQ(1, returnFile.Exists(other));
    EXPECT_FALSE(FormCreation::DeleteCopy(*set, &returnFile, context));
}

TEST(FormSetupFailure, ACopyThatCannotBeMadeLeavesTheViewAsItWas) {
    FakeFormManager fm; // makes no copies
    fm.addForm("USDDEP");
    FakeModuleSet modules;
    modules.add("FEDERAL", true, &fm);
    Question q;
    q.form = "USDDEP,3";
    CopyContext view{1, 1, 5};
    qvtest::expectBox("Unable to create and open form FEDERAL ", pf::IDOK);
    EXPECT_FALSE(FormSetup(modules).SetUpFormRec(q, view));
    EXPECT_EQ((CopyContext{1, 1, 5}), view);
}

} // namespace
