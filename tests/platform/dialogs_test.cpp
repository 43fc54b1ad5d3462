#include "platform/dialogs.h"
#include "platform/filedialog.h"
#include "platform/messagebox.h"

#include "testenv.h"

#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(Dialogs, ControlIdsFindDescendants) {
    QDialog dlg;
    auto* group = new QWidget(&dlg);
    auto* edit = new QLineEdit(group);
    auto* ok = new QPushButton("OK", &dlg);
    pf::setCtrlId(edit, 1001);
    pf::setCtrlId(ok, 1);
    EXPECT_EQ(pf::ctrlId(edit), 1001);
    EXPECT_EQ(pf::ctrlId(group), 0);
    EXPECT_EQ(pf::dlgItem(&dlg, 1001), edit);
    EXPECT_EQ(pf::dlgItemAs<QPushButton>(&dlg, 1), ok);
    EXPECT_EQ(pf::dlgItemAs<QPushButton>(&dlg, 1001), nullptr);
    EXPECT_EQ(pf::dlgItem(&dlg, 999), nullptr);
    EXPECT_EQ(pf::dlgItem(&dlg, 0), nullptr);
}

TEST(Dialogs, QueuedCallbacksRunInsideExecInOrder) {
    std::vector<std::string> seen;
    pf::queueDialogCallback([&](QDialog& d) {
        seen.push_back("outer visible=" + std::to_string(d.isVisible()));
        // A dialog opened from inside this one takes the next callback.
        QDialog inner(&d);
        seen.push_back("inner result=" + std::to_string(pf::execDialog(inner)));
        pf::dlgItemAs<QLineEdit>(&d, 7)->setText("typed");
        d.done(42);
    });
    pf::queueDialogCallback([&](QDialog& d) {
        seen.push_back("inner");
        d.reject();
    });
    QDialog outer;
    auto* edit = new QLineEdit(&outer);
    pf::setCtrlId(edit, 7);
    EXPECT_EQ(pf::execDialog(outer), 42);
    EXPECT_EQ(edit->text(), "typed");
    EXPECT_EQ(seen, (std::vector<std::string>{"outer visible=1", "inner", "inner result=0"}));
    EXPECT_EQ(pf::pendingDialogCallbacks(), 0u);

    pf::setUnexpectedDialogHandler([](QDialog&) { return -5; });
    QDialog unexpected;
    EXPECT_EQ(pf::execDialog(unexpected), -5);
    pf::setUnexpectedDialogHandler(nullptr);
}

TEST(Dialogs, DialogUnitsUseFixedBaseUnits) {
    EXPECT_EQ(pf::dluToPixelsX(4), 6);
    EXPECT_EQ(pf::dluToPixelsY(8), 13);
    EXPECT_EQ(pf::dluToPixelsX(1), 2); // 1.5 rounds up
    EXPECT_EQ(pf::dluToPixelsY(3), 5); // 4.875
    EXPECT_EQ(pf::dluToPixels(7, 7, 50, 14), QRect(11, 11, 75, 23));
    // Adjacent in units stays adjacent in pixels.
    const QRect a = pf::dluToPixels(1, 1, 3, 3), b = pf::dluToPixels(4, 1, 3, 3);
    EXPECT_EQ(a.x() + a.width(), b.x());
}

TEST(FileDialog, FiltersConvertToQtForm) {
    EXPECT_EQ(pf::convertFilter("Returns (*.ta2;*.TA1)|*.ta2;*.TA1|All Files (*.*)|*.*||"),
              (std::vector<std::string>{"Returns (*.ta2 *.TA2 *.TA1 *.ta1)", "All Files (*)"}));
    EXPECT_EQ(pf::convertFilter("Text files|*.txt||"),
              std::vector<std::string>{"Text files (*.txt *.TXT)"});
    EXPECT_TRUE(pf::convertFilter("").empty());
    EXPECT_EQ(pf::applyDefaultExt("/d/ret", "ta2"), "/d/ret.ta2");
    EXPECT_EQ(pf::applyDefaultExt("/d/ret.txt", "ta2"), "/d/ret.txt");
    EXPECT_EQ(pf::applyDefaultExt("/d.x/ret", ".ta2"), "/d.x/ret.ta2");
    EXPECT_EQ(pf::applyDefaultExt("/d/ret", ""), "/d/ret");
}

TEST(FileDialog, ChecksApplyToTheAnswer) {
    const std::string dir = qvtest::env().root;
    qvtest::writeFile(dir + "Smith.TA2", "x");
    std::vector<std::string> answers;
    pf::setFileDialogHandler([&](const pf::FileDialogSpec&) {
        if (answers.empty())
            return std::string();
        std::string a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    pf::FileDialogSpec open{true, "Open", "Returns|*.ta2||", "ta2", dir, "", true, false, true};
    answers = {"missing", "smith"};
    qvtest::expectBox(dir + "missing.ta2\nFile not found.\nPlease verify the correct file name "
                            "was given.",
                      pf::IDOK);
    EXPECT_EQ(pf::fileDialog(open), dir + "Smith.TA2");

    pf::FileDialogSpec save{false, "Save As", "Returns|*.ta2||", "ta2", dir, "", false, true, true};
    answers = {dir + "Smith.ta2", dir + "Jones"};
    qvtest::expectBox(dir + "Smith.ta2 already exists.\nDo you want to replace it?", pf::IDNO,
                      pf::MB_YESNO | pf::MB_ICONEXCLAMATION);
    EXPECT_EQ(pf::fileDialog(save), dir + "Jones.ta2");
    answers = {dir + "Smith.ta2"};
    qvtest::expectBox(dir + "Smith.ta2 already exists.\nDo you want to replace it?", pf::IDYES);
    EXPECT_EQ(pf::fileDialog(save), dir + "Smith.ta2");

    answers = {};
    EXPECT_EQ(pf::fileDialog(open), "") << "cancelled";
    pf::setFileDialogHandler(nullptr);
}

TEST(FileDialog, TheRealDialogGetsTheSpec) {
    const std::string dir = qvtest::env().root;
    QStringList filters;
    QString title;
    pf::queueDialogCallback([&](QDialog& d) {
        auto& fd = dynamic_cast<QFileDialog&>(d);
        filters = fd.nameFilters();
        title = fd.windowTitle();
        fd.selectFile("New Return");
        QMetaObject::invokeMethod(&fd, "accept");
    });
    pf::FileDialogSpec save{false, "Save Return", "Returns (*.ta2)|*.ta2||", "ta2", dir, "", false,
                            true,  true};
    EXPECT_EQ(pf::fileDialog(save), dir + "New Return.ta2");
    EXPECT_EQ(filters, QStringList{"Returns (*.ta2 *.TA2)"});
    EXPECT_EQ(title, "Save Return");
}
