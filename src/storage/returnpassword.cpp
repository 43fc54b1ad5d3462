#include "storage/returnpassword.h"

#include "platform/dialogs.h"
#include "platform/messagebox.h"
#include "storage/addpassworddlg.h"
#include "storage/memdatafile.h"
#include "storage/passworddlg.h"
#include "storage/returnsections.h"
#include "storage/taxdoc.h"

namespace qv {
namespace {

void setPassword(CTaxDoc& doc, bool change) {
    CAddPassword dialog(change);
    if (pf::execDialog(dialog) != QDialog::Accepted)
        return;
    const std::string password = dialog.password();
    doc.dataFile().Put(sections::kPassword, password.data(), std::uint32_t(password.size()));
    doc.SetReturnModified(true);
    doc.DoFileSave();
}

} // namespace

bool HasReturnPassword(const CMemDataFile& file) {
    return file.Exists(sections::kPassword) != 0;
}

bool CheckReturnPassword(CMemDataFile& file, const std::string& prompt) {
    if (!HasReturnPassword(file))
        return true;
    // Stored without a terminator; the compare is of the exact bytes.
    const std::string stored = sections::ReadBlob(file, sections::kPassword);
    for (;;) {
        CPasswordDlg dialog(prompt);
        if (pf::execDialog(dialog) != QDialog::Accepted)
            return false;
        if (dialog.password() == stored)
            return true;
        pf::messageBox("Invalid password, access to this file is denied.",
                       pf::MB_OK | pf::MB_ICONERROR);
    }
}

void AddReturnPassword(CTaxDoc& doc) {
    if (!CheckReturnPassword(doc.dataFile(), ""))
        return;
    setPassword(doc, false);
}

void ChangeReturnPassword(CTaxDoc& doc) {
    if (!CheckReturnPassword(doc.dataFile(),
                             "Before assigning a new password, you must enter the old password "
                             "below."))
        return;
    setPassword(doc, true);
}

void DeleteReturnPassword(CTaxDoc& doc) {
    if (!CheckReturnPassword(doc.dataFile(), "To delete the current password, enter the "
                                             "password below and click the OK button."))
        return;
    if (!doc.dataFile().Remove(sections::kPassword))
        return;
    doc.SetReturnModified(true);
    pf::messageBox("Warning: This file is no longer password protected.",
                   pf::MB_OK | pf::MB_ICONEXCLAMATION);
    doc.DoFileSave();
}

} // namespace qv
