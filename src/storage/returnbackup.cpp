#include "storage/returnbackup.h"

#include "app/appsettings.h"
#include "platform/filedialog.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "storage/memdatafile.h"
#include "storage/taxdoc.h"

#include <cerrno>
#include <cstdio>

namespace qv {
namespace {

constexpr std::size_t kCopyBlock = 4096;

std::string withPath(const char* pattern, const std::string& path, long code = 0) {
    char text[2048];
    std::snprintf(text, sizeof text, pattern, path.c_str(), code);
    return text;
}

std::string backupDir() {
    const std::string dir = settings::getString("DATA", "BACKUPDIR");
    return dir.empty() ? pf::progDir() : dir;
}

// Asks to save an unsaved or modified return first; false when the user says No or the
// save fails.
bool saveFirst(CTaxDoc& doc, const char* question) {
    if (!doc.IsScratch() && !doc.isModified())
        return true;
    if (pf::messageBox(question, pf::MB_YESNO | pf::MB_ICONQUESTION) != pf::IDYES)
        return false;
    return doc.DoFileSave();
}

// Copies `from` onto `to` in blocks through a file beside the target that is renamed over it
// at the end, so a failed copy leaves the target as it was. 0, or the system error code.
int copyOnto(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return errno ? errno : EIO;
    const std::string partial = to + ".restoring";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out) {
        const int code = errno ? errno : EIO;
        std::fclose(in);
        return code;
    }
    int code = 0;
    char block[kCopyBlock];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, in);
        if (n == 0) {
            if (std::ferror(in))
                code = errno ? errno : EIO;
            break;
        }
        if (std::fwrite(block, 1, n, out) != n) {
            code = errno ? errno : EIO;
            break;
        }
    }
    std::fclose(in);
    if (std::fclose(out) != 0 && code == 0)
        code = errno ? errno : EIO;
    if (code == 0 && std::rename(partial.c_str(), to.c_str()) != 0)
        code = errno ? errno : EIO;
    if (code != 0)
        std::remove(partial.c_str());
    return code;
}

} // namespace

void BackupReturn(CTaxDoc& doc) {
    if (!saveFirst(doc, "Before backing up you must save your return first.\n\nWould you like "
                        "to save your return now?"))
        return;
    pf::FileDialogSpec spec;
    spec.open = false;
    spec.title = "Backup Return File As";
    spec.filter = "Backup Files (*.bak)|*.bak||";
    spec.defaultExt = "bak";
    spec.initialName = doc.title() + ".bak";
    spec.initialDir = backupDir();
    spec.overwritePrompt = true;
    const std::string target = pf::fileDialog(spec);
    if (target.empty())
        return;
    if (doc.dataFile().CopyTo(target) != 1) {
        pf::messageBox(withPath("Unable to backup %s. \n\nPlease verify that you have "
                                "sufficient disk space on your drive.",
                                target),
                       pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return;
    }
    settings::writeString("DATA", "BACKUPDIR", pf::folderOf(target));
    pf::messageBox("Backup Successful", pf::MB_OK | pf::MB_ICONINFORMATION);
}

void RestoreReturnBackup(CTaxDoc& doc) {
    if (!saveFirst(doc, "Before restoring any returns you must save your currently opened "
                        "return first.\n\nWould you like to save your return now?"))
        return;
    pf::FileDialogSpec from;
    from.open = true;
    from.title = "Restore Data File From:";
    from.filter = "Restore Data File (*.bak)|*.bak||";
    from.initialName = doc.title() + ".bak";
    from.initialDir = backupDir();
    from.mustExist = true;
    const std::string backup = pf::fileDialog(from);
    if (backup.empty())
        return;
    pf::FileDialogSpec to;
    to.open = false;
    to.title = "Restore Data File To:";
    to.filter = "2002 Tax Return Files (*.ta2)|*.ta2||";
    to.initialName = pf::Document::fileTitle(backup);
    const std::string last = settings::getString("DATA", "LAST FILE OPENED");
    to.initialDir = last.empty() ? pf::progDir() : pf::folderOf(last);
    to.overwritePrompt = true;
    const std::string target = pf::fileDialog(to);
    if (target.empty())
        return;

    doc.SetRestoring(true);
    const bool ontoOpenReturn = pf::upper(target) == pf::upper(doc.pathName());
    if (ontoOpenReturn)
        doc.dataFile().Close(false);
    const int code = copyOnto(backup, target);
    if (!ontoOpenReturn) {
        pf::messageBox(withPath(code == 0 ? "%s was successfully restored."
                                          : "%s was NOT successfully restored.",
                                backup),
                       pf::MB_OK | pf::MB_ICONINFORMATION);
        doc.SetRestoring(false);
        return;
    }
    bool opened = false;
    if (code == 0) {
        doc.pf::Document::setPathName("untitled", false);
        opened = doc.OpenReturnFile(target);
        if (opened)
            doc.setPathName(target, true);
    }
    if (opened)
        pf::messageBox(withPath("%s was successfully restored.", backup),
                       pf::MB_OK | pf::MB_ICONINFORMATION);
    else
        pf::messageBox(withPath("%s was NOT successfully restored. %ld", backup, code),
                       pf::MB_OK | pf::MB_ICONINFORMATION);
    doc.SetRestoring(false);
}

} // namespace qv
