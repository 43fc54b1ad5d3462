#include "../modules/moduletestsupport.h"
#include "fakefield.h"
#include "testenv.h"

#include "app/money.h"
#include "forms/fieldactions.h"
#include "forms/fieldcombo.h"
#include "forms/fieldedit.h"
#include "forms/fieldedithost.h"
#include "forms/fieldformat.h"
#include "forms/fieldstore.h"
#include "forms/messageballoon.h"
#include "forms/overridedlg.h"
#include "forms/overridewarningdlg.h"
#include "modules/taxmodule.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "platform/misc.h"

#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Sent {
    unsigned msg;
    pf::WPARAM wparam;
    bool operator==(const Sent&) const = default;
};

// The window an editor sits in: records what the editor tells it, shows entry errors in its
// balloon as the form page does, and answers the host questions as a test sets them.
class Page final : public QWidget, public pf::MsgTarget, public CFieldEditHost {
public:
    Page() : balloon(this) {
        resize(400, 300);
        edit = new CFieldEdit(this);
        edit->setGeometry(100, 100, 120, 22);
    }

    pf::LRESULT onMessage(unsigned msg, pf::WPARAM wparam, pf::LPARAM lparam) override {
        sent.push_back({msg, wparam});
        if (msg == pf::UM_ENTRY_ERROR)
            balloon.ShowEntryError(edit, reinterpret_cast<CField*>(lparam), int(wparam));
        if (msg == pf::UM_MIRROR_TEXT)
            mirrored.push_back(reinterpret_cast<CFieldEdit::MirrorText*>(lparam)->text);
        return 0;
    }

    std::string ModuleName(CField& field) override {
        return moduleName.empty() ? CFieldEditHost::ModuleName(field) : moduleName;
    }
    std::string FormName(CField& field) override {
        return formName.empty() ? CFieldEditHost::FormName(field) : formName;
    }
    void MarkReturnModified() override { ++modifiedMarks; }
    bool HasSupportingForm(CField&) override { return true; }
    bool OpenSupportingForm(CField&) override {
        ++supportingOpened;
        return true;
    }
    bool InFormPane() override { return formPane; }
    bool InInterviewView() override { return interview; }
    void FieldStatusChanged(CField&) override { ++statusChanges; }

    std::vector<Sent> sentOf(unsigned msg) const {
        std::vector<Sent> out;
        for (const Sent& s : sent)
            if (s.msg == msg)
                out.push_back(s);
        return out;
    }

    CMessageBalloon balloon;
    CFieldEdit* edit = nullptr;
    std::vector<Sent> sent;
    std::vector<std::string> mirrored;
    std::string moduleName, formName;
    bool formPane = false;
    bool interview = false;
    int modifiedMarks = 0;
    int statusChanges = 0;
    int supportingOpened = 0;
};

class FieldEditTest : public ModuleListTest {
protected:
    void SetUp() override {
        load({});
        fm = modules.federal()->formManager();
        ASSERT_NE(nullptr, fm);
        page.show();
        QApplication::setActiveWindow(&page);
        page.edit->setFocus();
        pf::resetBeepCount();
    }

    CField& field(const char* form, const char* name) {
        const int index = fm->FindForm(form);
        CFormCopy* copy = fm->GetFormCopy(index, 1);
        if (!copy)
            copy = fm->AddFormCopy(index, 1, 0);
        CField* f = copy ? copy->GetField(fm->FindField(index, name, 0)) : nullptr;
        EXPECT_NE(nullptr, f) << form << "." << name;
        return *f;
    }

    // Types `keys` into an empty editor on a field of `type`.
    void typeInto(CField& f, const std::string& keys) {
        page.edit->SetUp(&f, 1);
        page.edit->clear();
        QTest::keyClicks(page.edit, QString::fromLatin1(keys.c_str()));
    }

    std::string text() const { return page.edit->Text(); }

    CFormManager* fm = nullptr;
    Page page;
};

struct KeyCase {
    int type;
    const char* keys;
    const char* text;       // the editor's text afterwards
    int caret;              // the caret afterwards
    const char* error = ""; // the balloon's text after the last refused key
    int beeps = 0;
};

TEST_F(FieldEditTest, MasksAcceptAndRefuseKeyByKey) {
    const char* money = "Please enter a dollar amount between $-99,999,999.99 and $99,999,999.99";
    const char* date = "Please enter a Date as mm/dd/yyyy";
    const char* ssn = "Please enter a SSN as ###-##-####";
    const KeyCase cases[] = {
        {FT_MONEY, "12.5", "12.5", 4},
        {FT_MONEY, "12.5.", "12.5", 4, money, 1},
        {FT_MONEY, "-1,", "-1", 2, money, 1},
        {FT_MONEY, "1-2", "12", 2, money, 1},
        {FT_MONEY, "1 2", "1 2", 3},
        {FT_INTEGER, "-12.7", "-12.7", 5},
        {FT_INTEGER, "4x", "4", 1, "Please enter a number between 0 and 999", 1},
        {FT_DECIMAL, "1..5", "1.5", 3, "Please enter a number between 0.000000 and 100.000000", 1},
        {FT_DATE, "3/", "03/", 3},
        {FT_DATE, "3/4/", "03/04/", 6},
        {FT_DATE, "3/4/2002", "03/04/2002", 10},
        {FT_DATE, "13/", "13", 2, "A month must be between 1 and 12.", 1},
        {FT_DATE, "0/", "0", 1, date, 1},
        {FT_DATE, "01/32/", "01/32", 5, "A day must be between 1 and 31.", 1},
        {FT_DATE, "123", "12/3", 4},
        {FT_DATE, "12-5.", "12/05/", 6},
        {FT_DATE, "1x", "1", 1, date, 1},
        {FT_DATE, "Various", "Various", 7},
        {FT_SSN, "123456789", "123-45-6789", 11},
        {FT_SSN, "DIED", "DIED", 4},
        {FT_SSN, "12a", "12", 2, ssn, 1},
        {FT_EIN, "123456789", "12-3456789", 10},
        {FT_PHONE, "5551234567", "(555)123-4567", 13},
        {FT_TEXT, "a.b/-c", "a.b/-c", 6},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(std::string("type ") + std::to_string(c.type) + " keys \"" + c.keys + "\"");
        FakeField f(c.type);
        pf::resetBeepCount();
        page.balloon.Hide();
        typeInto(f, c.keys);
        EXPECT_EQ(c.text, text());
        EXPECT_EQ(c.caret, page.edit->cursorPosition());
        EXPECT_EQ(c.beeps, pf::beepCount());
        EXPECT_EQ(*c.error != 0, page.balloon.isVisible());
        if (*c.error) {
            EXPECT_EQ(c.error, page.balloon.Text());
        }
        EXPECT_EQ(c.beeps, int(page.sentOf(pf::UM_ENTRY_ERROR).size()));
        EXPECT_TRUE(page.edit->isModified());
        page.sent.clear();
    }
}

TEST_F(FieldEditTest, TypedMoneyIsStoredByTheStoreRules) {
    CField& wages = field("USF1040", "L21");
    page.edit->SetUp(&wages, 1);
    EXPECT_EQ("0.00", text());
    EXPECT_EQ("0.00", page.edit->selectedText().toStdString()); // typing replaces it
    QTest::keyClicks(page.edit, "12.5");
    EXPECT_EQ("12.5", text());
    ASSERT_EQ(qv::StoreOutcome::Stored, qv::StoreFieldText(wages, text(), {}).outcome);
    EXPECT_EQ(1250, wages.GetMoney());
    page.edit->SetUp(&wages, 1);
    EXPECT_EQ("12.50", text());

    qv::StoreContext whole;
    whole.layoutFlags = MF_WHOLE_DOLLARS;
    page.edit->SetUp(&wages, 1, MF_WHOLE_DOLLARS);
    QTest::keyClicks(page.edit, "12.5");
    ASSERT_EQ(qv::StoreOutcome::Stored, qv::StoreFieldText(wages, text(), whole).outcome);
    EXPECT_EQ(1300, wages.GetMoney());
    page.edit->SetUp(&wages, 1, MF_WHOLE_DOLLARS);
    EXPECT_EQ("13", text());
    EXPECT_EQ(Qt::AlignRight, page.edit->alignment() & Qt::AlignHorizontal_Mask);
    EXPECT_EQ(11, page.edit->maxLength());
}

TEST_F(FieldEditTest, BalloonSitsUnderTheEditorInsideThePage) {
    FakeField f(FT_SSN);
    typeInto(f, "x");
    ASSERT_TRUE(page.balloon.isVisible());
    const QRect b = page.balloon.geometry();
    EXPECT_EQ(page.edit->geometry().bottom() + 1, b.top());
    EXPECT_NEAR(page.edit->geometry().center().x(), b.center().x(), 1);
    EXPECT_TRUE(page.edit->hasFocus());

    const QRect client(0, 0, 400, 300);
    struct Case {
        QRect editor;
        QPoint topLeft;
    } cases[] = {
        {QRect(100, 100, 100, 20), QPoint(100, 120)}, // centred under it
        {QRect(0, 100, 40, 20), QPoint(0, 120)},      // kept inside on the left
        {QRect(360, 100, 40, 20), QPoint(300, 120)},  // and on the right
        {QRect(100, 270, 100, 20), QPoint(100, 250)}, // above it near the bottom
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.topLeft, CMessageBalloon::Placement(c.editor, QSize(100, 20), client).topLeft())
            << c.editor.x() << "," << c.editor.y();

    // A click on the page and a key reaching it hide the balloon.
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(page.balloon.isVisible());
    page.edit->setFocus();
    typeInto(f, "x");
    ASSERT_TRUE(page.balloon.isVisible());
    QTest::keyClick(&page, Qt::Key_F5);
    EXPECT_FALSE(page.balloon.isVisible());

    // Without the focus in the editor nothing is shown, unless the page asks for it.
    page.setFocus();
    page.balloon.ShowEntryError(page.edit, &f, 0);
    EXPECT_FALSE(page.balloon.isVisible());
    page.balloon.SetShowWithoutFocus(true);
    page.balloon.ShowEntryError(page.edit, &f, 0);
    EXPECT_TRUE(page.balloon.isVisible());
    EXPECT_TRUE(page.edit->hasFocus());
    FakeField check(FT_CHECK);
    page.balloon.ShowEntryError(page.edit, &check, 0);
    EXPECT_FALSE(page.balloon.isVisible());

    FakeField day(FT_DATE);
    EXPECT_EQ("Enter a date as mm/dd/yyyy.", CMessageBalloon::EntryErrorMessage(day, 0, true));
    EXPECT_EQ("Enter a date as mm/dd/yy.", CMessageBalloon::EntryErrorMessage(day, 3, true));
    EXPECT_EQ("Enter a date as mm/dd/yy", CMessageBalloon::EntryErrorMessage(day, 3, false));
}

TEST_F(FieldEditTest, KeysThatMoveAndMessagesToTheOwner) {
    FakeField f(FT_MONEY);
    page.edit->SetUp(&f, 7);
    page.sent.clear();
    QTest::keyClick(page.edit, Qt::Key_Return);
    QTest::keyClick(page.edit, Qt::Key_Tab);
    QTest::keyClick(page.edit, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(page.edit, Qt::Key_Up);
    QTest::keyClick(page.edit, Qt::Key_Down);
    QTest::keyClick(page.edit, Qt::Key_PageUp);
    QTest::keyClick(page.edit, Qt::Key_PageDown);
    QTest::keyClick(page.edit, Qt::Key_Escape);
    const std::vector<Sent> expected = {
        {pf::UM_SHOW_FIELD, 0},      {pf::UM_MOVE_FIELD, 0}, {pf::UM_SHOW_FIELD, 0},
        {pf::UM_MOVE_FIELD, 0},      {pf::UM_SHOW_FIELD, 0}, {pf::UM_MOVE_FIELD, 1},
        {pf::UM_MOVE_FIELD, 1},      {pf::UM_MOVE_FIELD, 0}, {CFieldEdit::kWmVScroll, 2},
        {CFieldEdit::kWmVScroll, 3}, {pf::UM_SHOW_FIELD, 0}, {pf::UM_CANCEL_ENTRY, 0},
    };
    EXPECT_EQ(expected, page.sent);
    EXPECT_TRUE(page.edit->hasFocus()); // Tab did not move the focus by itself

    // Mode 2 reports every accepted change, the rewritten text included.
    FakeField ssn(FT_SSN);
    page.edit->SetUp(&ssn, 1);
    page.edit->SetMode(CFieldEdit::MirrorMode);
    page.edit->clear();
    QTest::keyClicks(page.edit, "1234x");
    QTest::keyClick(page.edit, Qt::Key_Backspace);
    const std::vector<std::string> mirrored = {"1", "12", "123", "123-4", "123-4", "123-"};
    EXPECT_EQ(mirrored, page.mirrored);

    page.edit->OnCommand(CFieldEdit::IdAddLineItemDetails);
    page.edit->OnCommand(CFieldEdit::IdOpenSupportingForm);
    const std::vector<Sent> passed = {{CFieldEdit::kWmCommand, 32780},
                                      {CFieldEdit::kWmCommand, 32776}};
    EXPECT_EQ(passed, page.sentOf(CFieldEdit::kWmCommand));
}

TEST_F(FieldEditTest, CalculatedFieldAsksForAnOverrideAndLosesTheKey) {
    CField& wages = field("USDW2", "WAGES");
    ASSERT_EQ(qv::StoreOutcome::Stored, qv::StoreFieldText(wages, "100", {}).outcome);
    CField& total = field("USF1040", "L7");
    page.edit->SetUp(&total, 1);
    ASSERT_EQ("100.00", text());

    // Cancel: nothing changes.
    pf::queueDialogCallback([](QDialog& d) {
        EXPECT_EQ("Warning", d.windowTitle().toStdString());
        EXPECT_TRUE(pf::dlgItem(&d, COverrideDlg::IdOpenSupportingForm)->isEnabled() ==
                    false); // L7 has no supporting form
        pf::dlgItemAs<QPushButton>(&d, pf::IDCANCEL)->click();
    });
    QTest::keyClick(page.edit, '5');
    EXPECT_EQ("100.00", text());
    EXPECT_FALSE(total.TestFlag(FF_OVERRIDDEN));

    // Override Value asks the e-file question of the federal return; No keeps the dialog up.
    pf::queueDialogCallback([](QDialog& d) {
        std::vector<std::string> texts;
        for (QLabel* label : d.findChildren<QLabel*>())
            texts.push_back(label->text().toStdString());
        const std::vector<std::string> expected = {COverrideDlg::kText1, COverrideDlg::kText2,
                                                   COverrideDlg::kText3, COverrideDlg::kText4};
        EXPECT_EQ(expected, texts);
        auto* value = pf::dlgItemAs<QPushButton>(&d, COverrideDlg::IdOverrideValue);
        value->click();
        EXPECT_TRUE(d.isVisible());
        value->click();
    });
    const char* efile = "If you override this calcuated field you will NOT be able to "
                        "electronically file this return.\r\n\r\nDo you wish to continue?";
    qvtest::expectBox(efile, pf::IDNO, pf::MB_YESNO | pf::MB_ICONWARNING);
    qvtest::expectBox(efile, pf::IDYES, pf::MB_YESNO | pf::MB_ICONWARNING);
    QTest::keyClick(page.edit, '5');
    EXPECT_EQ("100.00", text()); // the key that asked is gone
    EXPECT_TRUE(total.TestFlag(FF_OVERRIDDEN));
    EXPECT_EQ(1, page.statusChanges);
    EXPECT_EQ(1, page.modifiedMarks);
    page.edit->clear();
    QTest::keyClicks(page.edit, "25");
    EXPECT_EQ("25", text());

    // Delete with the whole text selected gives the field back to its calculation.
    page.sent.clear();
    page.edit->selectAll();
    QTest::keyClick(page.edit, Qt::Key_Delete);
    EXPECT_FALSE(total.TestFlag(FF_OVERRIDDEN));
    EXPECT_EQ("25", text()); // not deleted; the owner shows the field again
    const std::vector<Sent> stay = {{pf::UM_MOVE_FIELD, 2}};
    EXPECT_EQ(stay, page.sentOf(pf::UM_MOVE_FIELD));
    EXPECT_EQ(10000, total.GetMoney());
    EXPECT_EQ(0, pf::beepCount());
}

TEST_F(FieldEditTest, FormPaneAsksWithTheYesNoWarning) {
    page.formPane = true;
    FakeField f(FT_MONEY, FF_CALCULATED);
    page.edit->SetUp(&f, 1);
    pf::queueDialogCallback([](QDialog& d) {
        EXPECT_EQ("Warning", d.windowTitle().toStdString());
        EXPECT_EQ(4, d.findChildren<QLabel*>().size());
        pf::dlgItemAs<QPushButton>(&d, pf::IDNO)->click();
    });
    QTest::keyClick(page.edit, Qt::Key_Backspace); // a backspace asks too
    EXPECT_FALSE(f.TestFlag(FF_OVERRIDDEN));

    // Outside an e-file module the Yes overrides at once.
    page.moduleName = "ZZ";
    pf::queueDialogCallback([](QDialog& d) { pf::dlgItemAs<QPushButton>(&d, pf::IDYES)->click(); });
    QTest::keyClick(page.edit, '7');
    EXPECT_TRUE(f.TestFlag(FF_OVERRIDDEN));
    EXPECT_EQ("0.00", text());
}

TEST_F(FieldEditTest, ProtectedFieldsRefuseEveryChange) {
    FakeField reference(FT_MONEY, FF_PROTECTED);
    reference.money = 500;
    page.formName = "USF1040A";
    page.edit->SetUp(&reference, 1);
    qvtest::expectBox(CFieldActions::kReferenceFormsText, pf::IDOK,
                      pf::MB_OK | pf::MB_ICONINFORMATION);
    QTest::keyClick(page.edit, '1');
    EXPECT_EQ("5.00", text());

    CField& name = field("USF1040", "FNAME");
    name.SetFlag(FF_PROTECTED, 1);
    page.formName.clear(); // the real form name, USF1040
    page.edit->SetUp(&name, 1);
    page.edit->setCursorPosition(0);
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Delete}) {
        qvtest::expectBox("You may not modify a protected field", pf::IDOK, pf::MB_OK);
        if (key == Qt::Key_A)
            QTest::keyClick(page.edit, 'a');
        else
            QTest::keyClick(page.edit, key);
    }
    qvtest::expectBox("You may not modify a protected field", pf::IDOK, pf::MB_OK);
    page.edit->OnCommand(CFieldEdit::IdPaste);
    EXPECT_FALSE(page.edit->isModified());
    name.SetFlag(FF_PROTECTED, 0);

    // A field whose form cannot be found counts as protected with the plain text.
    FakeField orphan(FT_TEXT, FF_PROTECTED);
    page.edit->SetUp(&orphan, 1);
    qvtest::expectBox("You may not modify a protected field", pf::IDOK, pf::MB_OK);
    QTest::keyClick(page.edit, 'q');
    EXPECT_EQ("", text());
}

TEST_F(FieldEditTest, ContextMenuFollowsTheFieldState) {
    struct Case {
        unsigned flags;
        const char* formName;
        bool estimate, estimateChecked, override, clear, supporting, details;
    } cases[] = {
        {0, "", true, false, false, false, false, true},
        {FF_ESTIMATED | FF_SUPPORTED, "", true, true, false, false, true, true},
        {FF_CALCULATED, "", false, false, true, false, false, true},
        {FF_CALCULATED | FF_OVERRIDDEN, "", false, false, false, true, false, true},
        {FF_CALCULATED | FF_PROTECTED | FF_SUPPORTED, "", false, false, false, false, true, true},
        {FF_CALCULATED | FF_ENTERABLE, "", true, false, false, false, false, true},
        {0, "FDetails", false, false, false, false, false, false},
    };
    page.moduleName = "FEDERAL";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.flags) + c.formName);
        FakeField f(FT_MONEY, c.flags);
        page.formName = c.formName;
        page.edit->SetUp(&f, 1);
        page.edit->deselect();
        std::unique_ptr<QMenu> menu = page.edit->BuildContextMenu();
        ASSERT_NE(nullptr, menu);
        auto action = [&](int id) -> QAction* {
            for (QAction* a : menu->actions())
                if (a->data().toInt() == id)
                    return a;
            ADD_FAILURE() << "no item " << id;
            return menu->addAction("missing");
        };
        EXPECT_EQ(c.estimate, action(CFieldEdit::IdMarkAsEstimate)->isEnabled());
        EXPECT_EQ(c.estimateChecked, action(CFieldEdit::IdMarkAsEstimate)->isChecked());
        EXPECT_EQ(c.override, action(CFieldEdit::IdOverrideField)->isEnabled());
        EXPECT_EQ(c.clear, action(CFieldEdit::IdClearOverride)->isEnabled());
        EXPECT_EQ(c.supporting, action(CFieldEdit::IdOpenSupportingForm)->isEnabled());
        EXPECT_EQ(c.details, action(CFieldEdit::IdAddLineItemDetails)->isEnabled());
        EXPECT_FALSE(action(CFieldEdit::IdCut)->isEnabled()); // nothing selected
        EXPECT_FALSE(action(CFieldEdit::IdCopy)->isEnabled());
        EXPECT_EQ("O&verride field", action(CFieldEdit::IdOverrideField)->text().toStdString());
    }

    // In the interview view a plain editor in mode 1 has no menu, and a double click opens
    // no supporting form there.
    FakeField supported(FT_MONEY, FF_SUPPORTED);
    page.edit->SetUp(&supported, 1);
    QTest::mouseDClick(page.edit, Qt::LeftButton);
    EXPECT_EQ(1, page.supportingOpened);
    page.interview = true;
    QTest::mouseDClick(page.edit, Qt::LeftButton);
    EXPECT_EQ(1, page.supportingOpened);
    EXPECT_EQ(nullptr, page.edit->BuildContextMenu());
    page.edit->SetMode(CFieldEdit::MirrorMode);
    EXPECT_NE(nullptr, page.edit->BuildContextMenu());
}

TEST_F(FieldEditTest, EstimateOverrideCommandsAndClipboard) {
    CField& wages = field("USDW2", "WAGES");
    page.edit->SetUp(&wages, 1);
    page.edit->OnCommand(CFieldEdit::IdMarkAsEstimate);
    EXPECT_TRUE(wages.TestFlag(FF_ESTIMATED));
    EXPECT_EQ(FIELD_COLOR_ESTIMATED, qv::StateColor(&wages));
    EXPECT_EQ(QColor(255, 0, 0), page.edit->palette().color(QPalette::Text));
    page.edit->OnCommand(CFieldEdit::IdClearEstimate);
    EXPECT_FALSE(wages.TestFlag(FF_ESTIMATED));
    EXPECT_EQ(2, page.modifiedMarks);
    EXPECT_EQ(2, page.statusChanges);

    // Cut and copy take the selection; paste puts it back through the mask.
    page.edit->SetFieldText("1234");
    page.edit->setSelection(1, 2);
    page.edit->OnCommand(CFieldEdit::IdCut);
    EXPECT_EQ("14", text());
    EXPECT_EQ("23", QApplication::clipboard()->text().toStdString());
    page.edit->setCursorPosition(2);
    QTest::keyClick(page.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ("1423", text());
    page.edit->selectAll();
    page.edit->OnCommand(CFieldEdit::IdCopy);
    EXPECT_EQ("1423", QApplication::clipboard()->text().toStdString());
    QApplication::clipboard()->setText("5x");
    QTest::keyClick(page.edit, Qt::Key_Backspace); // even right after a backspace
    EXPECT_EQ("", text());
    page.edit->OnCommand(CFieldEdit::IdPaste);
    EXPECT_EQ("5", text()); // the character the mask refuses is taken out again
    EXPECT_EQ(1, pf::beepCount());

    // Paste into a calculated field asks first; Cancel pastes nothing.
    CField& total = field("USF1040", "L7");
    page.edit->SetUp(&total, 1);
    pf::queueDialogCallback(
        [](QDialog& d) { pf::dlgItemAs<QPushButton>(&d, pf::IDCANCEL)->click(); });
    page.edit->OnCommand(CFieldEdit::IdPaste);
    EXPECT_FALSE(page.edit->isModified());

    // Override field asks the e-file question; on No the field stays calculated.
    page.sent.clear();
    qvtest::expectBox(CFieldActions::kEfileQuestion, pf::IDNO);
    page.edit->OnCommand(CFieldEdit::IdOverrideField);
    EXPECT_FALSE(total.TestFlag(FF_OVERRIDDEN));
    qvtest::expectBox(CFieldActions::kEfileQuestion, pf::IDYES);
    page.edit->OnCommand(CFieldEdit::IdOverrideField);
    EXPECT_TRUE(total.TestFlag(FF_OVERRIDDEN));
    EXPECT_EQ(FIELD_COLOR_OVERRIDDEN, qv::StateColor(&total));
    const std::vector<Sent> stays = {{pf::UM_MOVE_FIELD, 2}, {pf::UM_MOVE_FIELD, 2}};
    EXPECT_EQ(stays, page.sentOf(pf::UM_MOVE_FIELD));
    page.edit->OnCommand(CFieldEdit::IdClearOverride);
    EXPECT_FALSE(total.TestFlag(FF_OVERRIDDEN));
    EXPECT_TRUE(page.edit->isModified());
}

TEST_F(FieldEditTest, ChoiceListAsksBeforeAPasteIntoACalculatedField) {
    CFieldCombo combo(&page);
    FakeField status(FT_CHOICE);
    status.choices = {"Single", "Married filing jointly", "Head of household"};
    status.choice = 2;
    combo.SetUp(&status, 3);
    EXPECT_EQ("Head of household", combo.Text());
    EXPECT_FALSE(combo.IsModified());
    combo.setCurrentIndex(0);
    EXPECT_TRUE(combo.IsModified());
    EXPECT_TRUE(qv::StoreChoiceText(status, combo.Text(), {}));
    EXPECT_EQ(0, status.choice);

    status.flags = FF_CALCULATED;
    combo.SetUp(&status, 3);
    QApplication::clipboard()->setText("Married");
    pf::queueDialogCallback(
        [](QDialog& d) { pf::dlgItemAs<QPushButton>(&d, pf::IDCANCEL)->click(); });
    combo.OnCommand(CFieldEdit::IdPaste);
    EXPECT_EQ("Single", combo.Text());
    pf::queueDialogCallback(
        [](QDialog& d) { pf::dlgItemAs<QPushButton>(&d, COverrideDlg::IdOverrideValue)->click(); });
    qvtest::expectBox(CFieldActions::kEfileQuestion, pf::IDYES);
    page.moduleName = "FEDERAL";
    combo.lineEdit()->selectAll();
    combo.OnCommand(CFieldEdit::IdPaste);
    EXPECT_EQ("Married", combo.Text());
    EXPECT_TRUE(status.TestFlag(FF_OVERRIDDEN));
    EXPECT_TRUE(qv::StoreChoiceText(status, combo.Text(), {}));
    EXPECT_EQ(1, status.choice); // found by its beginning
}

} // namespace
