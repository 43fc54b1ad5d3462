#include "returntest.h"

#include "platform/dialogs.h"
#include "storage/addpassworddlg.h"
#include "storage/passworddlg.h"
#include "storage/returnpassword.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const char* const kInvalid = "Invalid password, access to this file is denied.";

// Answers the next password question with `typed`; `prompt` receives the text shown.
void answerPassword(const std::string& typed, std::string* prompt = nullptr) {
    pf::queueDialogCallback([typed, prompt](QDialog& dialog) {
        EXPECT_EQ("Password", dialog.windowTitle().toStdString());
        if (prompt)
            *prompt = pf::dlgItemAs<QLabel>(&dialog, CPasswordDlg::kMessage)->text().toStdString();
        auto* edit = pf::dlgItemAs<QLineEdit>(&dialog, CPasswordDlg::kPasswordEdit);
        EXPECT_EQ(8, edit->maxLength());
        edit->setText(QString::fromStdString(typed));
        dialog.accept();
    });
}

void cancelPassword() {
    pf::queueDialogCallback([](QDialog& dialog) { dialog.reject(); });
}

// Types the new password and its confirmation, once per pair, and presses OK after each.
void answerNewPassword(const std::vector<std::pair<std::string, std::string>>& tries,
                       const std::string& title) {
    pf::queueDialogCallback([tries, title](QDialog& dialog) {
        EXPECT_EQ(title, dialog.windowTitle().toStdString());
        for (const auto& [first, second] : tries) {
            pf::dlgItemAs<QLineEdit>(&dialog, CAddPassword::kNewEdit)
                ->setText(QString::fromStdString(first));
            pf::dlgItemAs<QLineEdit>(&dialog, CAddPassword::kConfirmEdit)
                ->setText(QString::fromStdString(second));
            dialog.accept();
        }
    });
}

std::string storedPassword(const std::string& path) {
    CDataFile f;
    f.Open(path);
    std::string bytes(f.GetLength("AppPassword"), '\0');
    f.Get("AppPassword", bytes.data());
    return f.Exists("AppPassword") ? bytes : "<none>";
}

using Password = ReturnTest;

TEST_F(Password, OnlyTheExactPasswordOpensTheReturn) {
    const std::string open = savedReturn("Open.ta2", "Open Employer");
    const std::string locked = savedReturn("Locked.ta2", "Secret Employer");
    answerNewPassword({{"Secret", "Secret"}}, "Add Password");
    qv::AddReturnPassword(*doc);
    EXPECT_EQ("Secret", storedPassword(locked));
    EXPECT_FALSE(doc->isModified()); // saved at once
    ASSERT_TRUE(doc->OpenDocumentFile(open));

    std::string prompt;
    answerPassword("secret", &prompt);
    qvtest::expectBox(kInvalid, pf::IDOK, pf::MB_OK | pf::MB_ICONERROR);
    answerPassword("Secre");
    qvtest::expectBox(kInvalid, pf::IDOK);
    answerPassword("Secret!");
    qvtest::expectBox(kInvalid, pf::IDOK);
    answerPassword("Secret");
    ASSERT_TRUE(doc->OpenDocumentFile(locked));
    EXPECT_EQ("The return Locked.ta2 is password protected. Enter the correct password below and "
              "click the OK button.",
              prompt);
    EXPECT_EQ("Secret Employer", text("USDW2", 1, "EMPLOYER"));

    ASSERT_TRUE(doc->OpenDocumentFile(open));
    cancelPassword();
    qvtest::expectBox("Unable to open " + locked +
                          " file. Please verify the file still exists on your computer.",
                      pf::IDOK);
    EXPECT_FALSE(doc->OpenDocumentFile(locked));
    EXPECT_EQ(open, doc->pathName());
    EXPECT_EQ("Open Employer", text("USDW2", 1, "EMPLOYER"));
    EXPECT_FALSE(qv::HasReturnPassword(file));
}

TEST_F(Password, ChangeAndDeleteAskForTheOldPasswordFirst) {
    const std::string path = savedReturn("Guarded.ta2", "Acme Tools");
    EXPECT_FALSE(qv::HasReturnPassword(file));
    // An empty or mismatched entry is refused and the dialog stays.
    answerNewPassword({{"", ""}, {"abc", "abd"}, {"abc", "abc"}}, "Add Password");
    qvtest::expectBox("Missing or Invalid Password", pf::IDOK);
    qvtest::expectBox("Missing or Invalid Password", pf::IDOK);
    qv::AddReturnPassword(*doc);
    EXPECT_TRUE(qv::HasReturnPassword(file));
    EXPECT_EQ("abc", storedPassword(path));

    std::string prompt;
    answerPassword("abc", &prompt);
    answerNewPassword({{"newpass1", "newpass1"}}, "Change Password");
    qv::ChangeReturnPassword(*doc);
    EXPECT_EQ("Before assigning a new password, you must enter the old password below.", prompt);
    EXPECT_EQ("newpass1", storedPassword(path));

    cancelPassword(); // refused: nothing changes
    qv::DeleteReturnPassword(*doc);
    EXPECT_EQ("newpass1", storedPassword(path));

    answerPassword("newpass1", &prompt);
    qvtest::expectBox("Warning: This file is no longer password protected.", pf::IDOK,
                      pf::MB_OK | pf::MB_ICONEXCLAMATION);
    qv::DeleteReturnPassword(*doc);
    EXPECT_EQ("To delete the current password, enter the password below and click the OK button.",
              prompt);
    EXPECT_EQ("<none>", storedPassword(path));
    EXPECT_FALSE(doc->isModified());

    qv::DeleteReturnPassword(*doc); // already gone: no question, no warning
    EXPECT_EQ(3u, qvtest::shownBoxes().size());
}

} // namespace
