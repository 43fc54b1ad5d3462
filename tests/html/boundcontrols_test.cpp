// Controls bound to the fields of a return of the reference modules, on a page hosted by a
// small stand-in for the interview view.
#include "pagereturn.h"
#include "testenv.h"

#include "forms/messageballoon.h"
#include "html/boundformcontrol.h"
#include "html/htmlwindow.h"
#include "html/taxbuttonformcontrol.h"
#include "html/taxcheckboxformcontrol.h"
#include "html/taxcomboboxformcontrol.h"
#include "html/taxcopylistformcontrol.h"
#include "html/taxedit.h"
#include "html/taxeditformcontrol.h"
#include "html/taxradiobuttonformcontrol.h"
#include "interview/question.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Stands in for the interview view: notes what the page tells it.
class PageHost final : public QWidget, public pf::MsgTarget {
public:
    PageHost() {
        resize(600, 500);
        page = new HtmlWindow(this);
        page->setGeometry(0, 0, 600, 500);
        page->setInterviewHost(true);
        page->setModifiedMarker([this] { ++modified; });
    }
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override {
        switch (msg) {
        case pf::UM_PAGE_COMMAND:
            commands.push_back(std::string(reinterpret_cast<const char*>(wparam)) + "|" +
                               reinterpret_cast<const char*>(lparam));
            return 1;
        case qv::UM_SHOW_QUESTION:
            questions.push_back(*reinterpret_cast<const Question*>(lparam));
            commands.push_back("question");
            return 1;
        case pf::UM_VALUE_STORED:
            ++stored;
            return 1;
        case pf::UM_MIRROR_TEXT: {
            const auto* m = reinterpret_cast<const qv::PageMirrorText*>(lparam);
            mirrored.push_back(m->text ? *m->text : "#" + std::to_string(m->choice));
            return 1;
        }
        case pf::UM_GOTO_FIELD:
            gotoFields.push_back(int(wparam));
            return 1;
        default:
            return 0;
        }
    }
    void showActive() {
        show();
        activateWindow();
        QApplication::setActiveWindow(this);
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
    }
    // Continue: the view asks the page to commit the field being typed.
    int commit() { return int(pf::sendMessage(page, pf::UM_COMMIT_FIELD, 0, 0)); }
    template <class T>
    T* control(int n) const {
        return dynamic_cast<T*>(page->document().controls().at(std::size_t(n)));
    }
    HtmlWindow* page;
    int modified = 0;
    int stored = 0;
    std::vector<std::string> commands;
    std::vector<Question> questions;
    std::vector<std::string> mirrored;
    std::vector<int> gotoFields;
};

class BoundControls : public PageReturnTest {
protected:
    void SetUp() override {
        PageReturnTest::SetUp();
        host = std::make_unique<PageHost>();
        host->showActive();
    }
    void TearDown() override {
        host.reset();
        PageReturnTest::TearDown();
    }
    void load(const std::string& html, CFormCopy* current = nullptr) {
        host->page->setReturnContext(set.get(), 1, current);
        ASSERT_TRUE(host->page->LoadText(html));
    }
    std::unique_ptr<PageHost> host;
};

} // namespace

TEST_F(BoundControls, EditShowsTheFieldStoresWhatIsTypedAndRefreshesThePage) {
    enterMoney(field("USF1040", 1, "L21"), 12345);
    load("<p>Other income <input field=USF1040.L21> total <input field=USF1040.L22>"
         " name <input field=USF1040.FNAME size=12><input type=hidden field=USF1040.LNAME>");
    auto* other = host->control<CTaxEditFormControl>(0);
    auto* total = host->control<CTaxEditFormControl>(1);
    auto* name = host->control<CTaxEditFormControl>(2);
    ASSERT_TRUE(other && total && name);
    // A hidden input bound to a field is a visible edit of it.
    ASSERT_TRUE(host->control<CTaxEditFormControl>(3));
    EXPECT_TRUE(host->page->document().controls()[3]->window()->isVisible());
    EXPECT_EQ(other->text(), "123.45");
    EXPECT_EQ(other->edit()->Mask(), "###########");
    EXPECT_EQ(name->edit()->Mask(), "");
    const std::string totalBefore = total->text();

    other->window()->setFocus();
    EXPECT_EQ(other->edit()->selectedText(), QStringLiteral("123.45"));
    QTest::keyClicks(other->window(), "12");
    EXPECT_EQ(other->text(), "12");
    EXPECT_EQ(host->mirrored.back(), "12");
    EXPECT_EQ(field("USF1040", 1, "L21")->GetMoney(), 12345); // nothing stored while typing
    EXPECT_EQ(host->commit(), 1);
    EXPECT_EQ(field("USF1040", 1, "L21")->GetMoney(), 1200);
    EXPECT_TRUE(field("USF1040", 1, "L21")->TestFlag(FF_ENTERED));
    EXPECT_GE(host->modified, 1);
    EXPECT_EQ(host->stored, 1);
    EXPECT_EQ(other->text(), "12.00");
    // The page re-read the recalculated total.
    EXPECT_NE(total->text(), totalBefore);
    EXPECT_EQ(total->text(), total->displayText());

    // Letters never reach a money field; Tab moves on through the page.
    QTest::keyClicks(other->window(), "ab");
    EXPECT_EQ(other->text(), "12.00");
    QTest::keyClick(other->window(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), total->window());
    QTest::keyClick(total->window(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), name->window());
    QTest::keyClicks(name->window(), "Zed");
    // Leaving the edit stores it.
    QTest::keyClick(name->window(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), total->window());
    char buf[64] = {};
    field("USF1040", 1, "FNAME")->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "Zed");
}

TEST_F(BoundControls, RefusedValuesKeepThePageAndShowTheMessage) {
    CFormCopy* dep = addCopy("USDDEP");
    ASSERT_NE(nullptr, dep);
    load("<p>Months <input field=USDDEP.MONTHS> spouse <input field=USF1040.SPSSN>", dep);
    auto* months = host->control<CTaxEditFormControl>(0);
    auto* ssn = host->control<CTaxEditFormControl>(1);
    ASSERT_TRUE(months && ssn);
    months->window()->setFocus();
    QTest::keyClicks(months->window(), "13");
    EXPECT_EQ(host->commit(), 0);
    EXPECT_EQ(field(dep, "MONTHS")->GetLong(), 0);
    EXPECT_EQ(host->page->pendingEdit(), months);
    EXPECT_TRUE(host->page->balloon()->isVisible());
    EXPECT_FALSE(host->page->balloon()->Text().empty());
    EXPECT_EQ(host->stored, 0);
    months->edit()->selectAll();
    QTest::keyClicks(months->window(), "9");
    EXPECT_EQ(host->commit(), 1);
    EXPECT_EQ(field(dep, "MONTHS")->GetLong(), 9);
    EXPECT_EQ(host->page->pendingEdit(), nullptr);
    EXPECT_FALSE(host->page->balloon()->isVisible());

    // A short SSN is stored with a word on its form.
    ssn->window()->setFocus();
    QTest::keyClicks(ssn->window(), "123");
    EXPECT_EQ(host->commit(), 1);
    EXPECT_EQ(host->page->balloon()->Text(), "Please enter a SSN as ###-##-####");
    char buf[64] = {};
    field("USF1040", 1, "SPSSN")->GetText(buf, sizeof buf);
    EXPECT_STRNE(buf, "");
}

TEST_F(BoundControls, ReferencesWithoutACopyBindToThePagesCopy) {
    CFormCopy* w2[3] = {addCopy("USDW2"), addCopy("USDW2"), addCopy("USDW2")};
    enterMoney(field(w2[2], "WAGES"), 300000);
    enterMoney(field(w2[0], "WAGES"), 100000);
    load("<input field=USDW2.WAGES><input field=USDW2.WAGES,1><input field=USDW2.NOSUCH>"
         "<input field=USDW2.WAGES,9>",
         w2[2]);
    const auto& all = host->page->document().controls();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0]->boundField(), field(w2[2], "WAGES"));
    EXPECT_EQ(host->control<CTaxEditFormControl>(0)->text(), "3,000.00");
    EXPECT_EQ(all[1]->boundField(), field(w2[0], "WAGES"));
    // References that fail give plain controls.
    EXPECT_EQ(all[2]->boundField(), nullptr);
    EXPECT_EQ(all[3]->boundField(), nullptr);
    // Focus on a control of the page's copy tells the view which field it is.
    all[0]->window()->setFocus();
    ASSERT_FALSE(host->gotoFields.empty());
    EXPECT_EQ(host->gotoFields.back(), field(w2[2], "WAGES")->GetFieldNumber());
}

TEST_F(BoundControls, CheckFieldsAndChoiceListsStoreOnEveryChange) {
    load("<input field=USF1040.TP65 text=\"65 or older\"> <input field=USF1040.FS>"
         "<input type=check name=plain>");
    auto* over65 = host->control<CTaxRadioButtonFormControl>(0);
    auto* status = host->control<CTaxComboBoxFormControl>(1);
    auto* plain = host->control<CTaxCheckBoxFormControl>(2);
    ASSERT_TRUE(over65 && status && plain);
    EXPECT_FALSE(over65->checked());
    QTest::mouseClick(over65->window(), Qt::LeftButton, {}, QPoint(4, 4));
    CField* tp65 = field("USF1040", 1, "TP65");
    EXPECT_TRUE(tp65->IsSet());
    EXPECT_TRUE(tp65->TestFlag(FF_ENTERED));
    EXPECT_TRUE(over65->checked());
    EXPECT_EQ(host->mirrored.back(), "#-1");
    EXPECT_EQ(host->modified, 1);

    QComboBox* combo = status->combo();
    ASSERT_EQ(combo->count(), 5);
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), "he");
    CField* fs = field("USF1040", 1, "FS");
    EXPECT_EQ(fs->GetChoice(), 3); // Head of household
    EXPECT_EQ(host->mirrored.back(), "#3");
    EXPECT_EQ(combo->currentText(), "Head of household");
    combo->setCurrentIndex(1);
    EXPECT_EQ(fs->GetChoice(), 1);
    EXPECT_TRUE(fs->TestFlag(FF_HASVALUE));

    QTest::mouseClick(plain->window(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(plain->checked());
    EXPECT_EQ(plain->value(), "On");
}

TEST_F(BoundControls, PushButtonsSendTheirCommandsAndScripts) {
    CFormCopy* w2 = addCopy("USDW2");
    load("<input type=button name=Continue text=Continue script=IV_USStep2_Start>"
         "<input type=button name=Edit text=Edit form=USDW2 script=IV_USStep3_ReviewWages>");
    auto* next = host->control<CTaxButtonFormControl>(0);
    auto* edit = host->control<CTaxButtonFormControl>(1);
    ASSERT_TRUE(next && edit);
    EXPECT_EQ(edit->copy(), w2);
    QTest::mouseClick(next->window(), Qt::LeftButton);
    // Not bound to a copy: no question, only the command.
    EXPECT_EQ(host->commands, (std::vector<std::string>{"Continue|IV_USStep2_Start"}));
    host->commands.clear();
    QTest::mouseClick(edit->window(), Qt::LeftButton);
    EXPECT_EQ(host->commands,
              (std::vector<std::string>{"question", "Edit|IV_USStep3_ReviewWages"}));
    ASSERT_EQ(host->questions.size(), 1u);
    EXPECT_EQ(host->questions[0].script, "IV_USStep3");
    EXPECT_EQ(host->questions[0].name, "ReviewWages");
    EXPECT_EQ(host->questions[0].copyContext,
              (CopyContext{1, std::uint16_t(form("USDW2")), std::uint16_t(w2->GetCopyNumber())}));
}

TEST_F(BoundControls, CopyListCreatesReviewsAndDeletesCopies) {
    CFormCopy* a = addCopy("USDW2");
    CFormCopy* b = addCopy("USDW2");
    enter(field(a, "EMPLOYER"), "Acme");
    load("<form><input type=copylist form=USDW2>"
         "<input type=button name=NEWFORM text=New script=IV_USStep3_NewWages>"
         "<input type=button name=REVIEWFORM text=Review script=IV_USStep3_ReviewWages>"
         "<input type=button name=DELETEFORM text=Delete></form>"
         "<form><input type=copylist form=USF1040><input type=button name=deleteform></form>");
    auto* list = host->control<CTaxCopyListFormControl>(0);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->rootLabel(), "Form W-2 USDW2");
    ASSERT_EQ(list->entries().size(), 3u);
    EXPECT_EQ(list->entries()[0].label, "Form W-2 USDW2 - Acme");
    EXPECT_EQ(list->entries()[1].label, "Form W-2 USDW2 - Untitled Copy");
    EXPECT_EQ(list->entries()[2].label, "New Copy");
    auto* tree = static_cast<QTreeWidget*>(list->window());
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 3);

    QTest::mouseClick(host->control<CTaxButtonFormControl>(1)->window(), Qt::LeftButton);
    ASSERT_EQ(host->questions.size(), 1u);
    EXPECT_EQ(host->questions[0].copyContext.copy, 0);
    EXPECT_EQ(host->questions[0].name, "NewWages");
    EXPECT_EQ(host->commands.back(), "NEWFORM|IV_USStep3_NewWages");

    // Review wants a copy item: the root asks nothing.
    tree->setCurrentItem(tree->topLevelItem(0));
    QTest::mouseClick(host->control<CTaxButtonFormControl>(2)->window(), Qt::LeftButton);
    EXPECT_EQ(host->questions.size(), 1u);
    ASSERT_TRUE(list->selectCopy(b->GetCopyNumber()));
    QTest::mouseClick(host->control<CTaxButtonFormControl>(2)->window(), Qt::LeftButton);
    ASSERT_EQ(host->questions.size(), 2u);
    EXPECT_EQ(host->questions[1].copyContext.copy, b->GetCopyNumber());
    EXPECT_EQ(host->questions[1].script, "IV_USStep3");

    // Delete asks first; No keeps the copy.
    const int bNumber = b->GetCopyNumber();
    ASSERT_TRUE(list->selectCopy(bNumber));
    qvtest::expectBox("Do you wish to delete Form W-2 USDW2 - Untitled Copy?", pf::IDNO);
    QTest::mouseClick(host->control<CTaxButtonFormControl>(3)->window(), Qt::LeftButton);
    EXPECT_EQ(fed->GetCopyCount(form("USDW2")), 2);
    ASSERT_TRUE(list->selectCopy(bNumber));
    qvtest::expectBox("Do you wish to delete Form W-2 USDW2 - Untitled Copy?", pf::IDYES);
    const int modifiedBefore = host->modified;
    QTest::mouseClick(host->control<CTaxButtonFormControl>(3)->window(), Qt::LeftButton);
    EXPECT_EQ(fed->GetCopyCount(form("USDW2")), 1);
    EXPECT_GT(host->modified, modifiedBefore);
    ASSERT_EQ(list->entries().size(), 2u);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(host->commands.back(), "DELETEFORM|");

    // A required copy stays.
    auto* returns = host->control<CTaxCopyListFormControl>(4);
    ASSERT_TRUE(returns && returns->selectCopy(copy("USF1040", 1)->GetCopyNumber()));
    qvtest::expectBox("Form 1040 USF1040 - Untitled Copy is a required form and may not be "
                      "deleted.",
                      pf::IDOK);
    QTest::mouseClick(host->control<CTaxButtonFormControl>(5)->window(), Qt::LeftButton);
    EXPECT_EQ(fed->GetCopyCount(form("USF1040")), 1);
}

TEST_F(BoundControls, ChildCopyListStopsOfferingNewCopiesAtTheLimit) {
    CFormCopy* w2 = addCopy("USDW2");
    const int child = form("USDW2C");
    const int limit = fed->GetMaxChildCopies(form("USDW2"), child);
    ASSERT_GT(limit, 0);
    for (int i = 0; i < limit - 1; ++i) {
        CFormCopy* c = fed->AddFormCopy(child, 1, 0);
        ASSERT_NE(nullptr, c);
        c->SetParentCopy(w2, 1);
    }
    load("<input type=copylist childform=USDW2C>", w2);
    auto* list = host->control<CTaxCopyListFormControl>(0);
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->showsNewCopy());
    EXPECT_EQ(int(list->entries().size()), limit);
    fed->AddFormCopy(child, 1, 0)->SetParentCopy(w2, 1);
    list->fill();
    EXPECT_FALSE(list->showsNewCopy());
    EXPECT_EQ(int(list->entries().size()), limit);
}

TEST_F(BoundControls, ChangingAnEnteredSsnWarnsOncePerRun) {
    enter(field("USF1040", 1, "SSN"), "123-45-6789");
    load("<input field=USF1040.SSN>");
    auto* ssn = host->control<CTaxEditFormControl>(0);
    ASSERT_TRUE(ssn);
    EXPECT_EQ(ssn->text(), "123-45-6789");
    ssn->window()->setFocus();
    QTest::keyClicks(ssn->window(), "987654321");
    qvtest::expectBox(
        "The Social Security Number has been altered in the currently-open return.\r\n\r\n"
        "If the Social Security Number was entered incorrectly and this is a correction, you are "
        "following the appropriate course of action.\r\n\r\n"
        "However, if you are attempting to create and file a DIFFERENT tax return by altering "
        "the basic information in this return, this process is NOT recommended. To create and "
        "file a DIFFERENT tax return, you MUST select the 'File' menu at the top of the screen, "
        "then select the 'New Return' menu.",
        pf::IDOK);
    EXPECT_EQ(host->commit(), 1);
    char buf[64] = {};
    field("USF1040", 1, "SSN")->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "987-65-4321");
    // A second change shows no box (an unexpected one fails the test).
    ssn->edit()->selectAll();
    QTest::keyClicks(ssn->window(), "111223333");
    EXPECT_EQ(host->commit(), 1);
    field("USF1040", 1, "SSN")->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "111-22-3333");
}

TEST_F(BoundControls, ArrowKeysStayInARadioGroupAndTabLeavesIt) {
    load("<input field=USF1040.TP65 name=g><input field=USF1040.TPBLIND name=g>"
         "<input field=USF1040.SP65 name=g><input field=USF1040.SPBLIND name=h>"
         "<input field=USF1040.FNAME>");
    const auto& all = host->page->document().controls();
    ASSERT_EQ(all.size(), 5u);
    auto* first = host->control<CTaxRadioButtonFormControl>(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->group().size(), 3u);
    EXPECT_EQ(host->control<CTaxRadioButtonFormControl>(3)->group().size(), 1u);
    all[0]->window()->setFocus();
    QTest::keyClick(all[0]->window(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), all[1]->window());
    QTest::keyClick(all[1]->window(), Qt::Key_Down);
    QTest::keyClick(all[2]->window(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), all[0]->window()); // wrapped
    QTest::keyClick(all[0]->window(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), all[2]->window());
    QTest::keyClick(all[0]->window(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), all[3]->window());
    QTest::keyClick(all[3]->window(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), all[4]->window());
}
