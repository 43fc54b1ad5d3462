#include "returntest.h"

#include "platform/filedialog.h"
#include "platform/paths.h"
#include "storage/returnbackup.h"

#include <deque>

namespace {

// Answers the file dialogs in turn with the given names; records what each asked.
struct Dialogs {
    std::deque<std::string> answers;
    std::vector<pf::FileDialogSpec> asked;
    void install() {
        pf::setFileDialogHandler([this](const pf::FileDialogSpec& spec) {
            asked.push_back(spec);
            std::string answer = answers.empty() ? "" : answers.front();
            if (!answers.empty())
                answers.pop_front();
            return answer;
        });
    }
};

using Backup = ReturnTest;

TEST_F(Backup, BackupSavesFirstThenCopiesTheWholeFile) {
    const std::string path = savedReturn("Smith.ta2", "Acme Tools");
    setText("USDW2", 1, "EMPLOYER", "Changed");
    doc->SetReturnModified(true);
    Dialogs dialogs;
    dialogs.install();
    const std::string question =
        "Before backing up you must save your return first.\n\nWould you like to save your "
        "return now?";
    qvtest::expectBox(question, pf::IDNO, pf::MB_YESNO | pf::MB_ICONQUESTION);
    qv::BackupReturn(*doc);
    EXPECT_TRUE(dialogs.asked.empty());

    const std::string target = at("backups/Smith.bak");
    pf::makeDir(at("backups"));
    dialogs.answers = {target};
    qvtest::expectBox(question, pf::IDYES);
    qvtest::expectBox("Backup Successful", pf::IDOK, pf::MB_OK | pf::MB_ICONINFORMATION);
    qv::BackupReturn(*doc);
    ASSERT_EQ(1u, dialogs.asked.size());
    EXPECT_EQ("Backup Return File As", dialogs.asked[0].title);
    EXPECT_EQ("Backup Files (*.bak)|*.bak||", dialogs.asked[0].filter);
    EXPECT_EQ("Smith.bak", dialogs.asked[0].initialName);
    EXPECT_EQ(pf::progDir(), dialogs.asked[0].initialDir);
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(qvtest::readFile(path), qvtest::readFile(target));
    EXPECT_EQ(at("backups/"), pf::Profile::app().getString("DATA", "BACKUPDIR"));

    const std::string full = at("no-such-folder/Smith.bak");
    dialogs.answers = {full};
    qvtest::expectBox("Unable to backup " + full +
                          ". \n\nPlease verify that you have sufficient disk space on your drive.",
                      pf::IDOK);
    qv::BackupReturn(*doc); // saved and unchanged: no question
    EXPECT_EQ(at("backups/"), dialogs.asked.back().initialDir);
}

TEST_F(Backup, RestoreOntoTheOpenReturnReopensIt) {
    const std::string path = savedReturn("Smith.ta2", "Before");
    const std::string backup = at("Smith.bak");
    qvtest::writeFile(backup, qvtest::readFile(path));
    setText("USDW2", 1, "EMPLOYER", "After");
    doc->SetReturnModified(true);
    ASSERT_TRUE(doc->DoFileSave());

    Dialogs dialogs;
    dialogs.answers = {backup, path};
    dialogs.install();
    qvtest::expectBox(path + " already exists.\nDo you want to replace it?", pf::IDYES);
    qvtest::expectBox(backup + " was successfully restored.", pf::IDOK,
                      pf::MB_OK | pf::MB_ICONINFORMATION);
    qv::RestoreReturnBackup(*doc);
    ASSERT_EQ(2u, dialogs.asked.size());
    EXPECT_EQ("Restore Data File From:", dialogs.asked[0].title);
    EXPECT_EQ("Smith.bak", dialogs.asked[0].initialName);
    EXPECT_EQ("Restore Data File To:", dialogs.asked[1].title);
    EXPECT_EQ("2002 Tax Return Files (*.ta2)|*.ta2||", dialogs.asked[1].filter);
    EXPECT_EQ("Smith", dialogs.asked[1].initialName);
    EXPECT_EQ(at(""), dialogs.asked[1].initialDir);
    EXPECT_EQ("Before", text("USDW2", 1, "EMPLOYER"));
    EXPECT_EQ(path, doc->pathName());
    EXPECT_FALSE(doc->IsRestoring());

    // Onto another file: copied, the open return stays.
    const std::string other = at("Copy.ta2");
    dialogs.answers = {backup, other};
    qvtest::expectBox(backup + " was successfully restored.", pf::IDOK);
    qv::RestoreReturnBackup(*doc);
    EXPECT_EQ(qvtest::readFile(backup), qvtest::readFile(other));
    EXPECT_EQ(path, doc->pathName());

    const std::string blocked = at("no-such-folder/Copy.ta2");
    dialogs.answers = {backup, blocked};
    qvtest::expectBox(backup + " was NOT successfully restored.", pf::IDOK);
    qv::RestoreReturnBackup(*doc);
}

} // namespace
