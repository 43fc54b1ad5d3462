#include "app/returncommands.h"

#include "app/commandids.h"
#include "app/mainframe.h"
#include "platform/text.h"
#include "storage/memdatafile.h"
#include "storage/priorimport.h"
#include "storage/returnbackup.h"
#include "storage/returnpassword.h"
#include "storage/taxdoc.h"

namespace qv {

ReturnCommands::ReturnCommands(CTaxDoc& doc, CMainFrame& frame) : m_doc(doc), m_frame(frame) {
    m_doc.setTitleListener(
        [this](const std::string& title) { m_frame.setDocumentTitle(pf::toQt(title)); });
    registerCommands();
}

bool ReturnCommands::openReturn(const std::string& path) {
    return m_doc.OpenReturnFile(path);
}

bool ReturnCommands::newReturn() {
    return m_doc.OnNewDocument();
}

void ReturnCommands::registerCommands() {
    CommandTable& commands = m_frame.commands();
    CTaxDoc& doc = m_doc;
    const auto hasPassword = [&doc] { return HasReturnPassword(doc.dataFile()); };
    const auto noPassword = [&doc] { return !HasReturnPassword(doc.dataFile()); };
    commands.setHandler(cmd::NewReturn, [&doc] { doc.NewDocumentFile(); });
    commands.setHandler(cmd::OpenReturn, [&doc] {
        const std::string path = CTaxDoc::PromptFileName(true, "Open", "");
        if (!path.empty())
            doc.OpenReturnFile(path);
    });
    commands.setHandler(cmd::SaveReturn, [&doc] { doc.DoFileSave(); });
    commands.setHandler(cmd::SaveReturnAs, [&doc] { doc.DoSave({}, true); });
    commands.setHandler(cmd::Backup, [&doc] { BackupReturn(doc); });
    commands.setHandler(cmd::RestoreBackup, [&doc] { RestoreReturnBackup(doc); });
    commands.setHandler(
        cmd::PasswordAdd, [&doc] { AddReturnPassword(doc); }, noPassword);
    commands.setHandler(
        cmd::PasswordChange, [&doc] { ChangeReturnPassword(doc); }, hasPassword);
    commands.setHandler(
        cmd::PasswordDelete, [&doc] { DeleteReturnPassword(doc); }, hasPassword);
    commands.setHandler(cmd::ImportPriorYear, [&doc] { ImportPriorYearCommand(doc); });
}

} // namespace qv
