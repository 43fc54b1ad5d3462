#include "platform/messagebox.h"

#include "testenv.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MessageBox, TheHandlerAnswersWithTextFlagsAndCaption) {
    qvtest::expectBox("Save changes?", pf::IDNO, pf::MB_YESNOCANCEL | pf::MB_ICONQUESTION);
    EXPECT_EQ(pf::messageBox("Save changes?", pf::MB_YESNOCANCEL | pf::MB_ICONQUESTION), pf::IDNO);
    std::string caption;
    pf::setMessageBoxHandler([&](const std::string&, unsigned, const std::string& c) {
        caption = c;
        return pf::IDOK;
    });
    pf::messageBox("x");
    EXPECT_EQ(caption, "Quorva 2002");
}

// Without a handler a real box appears: its buttons, default and answer follow the flags.
TEST(MessageBox, RealBoxMapsButtonsAndDefault) {
    pf::setMessageBoxHandler(nullptr);
    struct Case {
        unsigned flags;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton def;
        QMessageBox::Icon icon;
        int answer; // of pressing the default button
    } cases[] = {
        {pf::MB_OK, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::NoIcon, pf::IDOK},
        {pf::MB_YESNO | pf::MB_DEFBUTTON2 | pf::MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No, QMessageBox::Question, pf::IDNO},
        {pf::MB_YESNOCANCEL | pf::MB_ICONEXCLAMATION,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
         QMessageBox::Warning, pf::IDYES},
        {pf::MB_RETRYCANCEL | pf::MB_ICONSTOP, QMessageBox::Retry | QMessageBox::Cancel,
         QMessageBox::Retry, QMessageBox::Critical, pf::IDRETRY},
        {pf::MB_OKCANCEL | pf::MB_DEFBUTTON2 | pf::MB_ICONINFORMATION,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Information,
         pf::IDCANCEL},
    };
    for (const Case& c : cases) {
        QString text, title;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            title = box->windowTitle();
            buttons = box->standardButtons();
            icon = box->icon();
            box->defaultButton()->click();
        });
        const int answer = pf::messageBox("Line one\r\nLine \xe9two", c.flags);
        EXPECT_EQ(answer, c.answer) << c.flags;
        EXPECT_EQ(buttons, c.buttons) << c.flags;
        EXPECT_EQ(icon, c.icon) << c.flags;
        EXPECT_EQ(text, QString::fromUtf8("Line one\nLine \u00e9two"));
        EXPECT_EQ(title, QStringLiteral("Quorva 2002"));
    }
}
