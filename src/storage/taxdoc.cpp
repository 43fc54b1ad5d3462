#include "storage/taxdoc.h"

#include "app/appsettings.h"
#include "app/taxapp.h"
#include "app/texthelpers.h"
#include "forms/historylist.h"
#include "interview/pagestack.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/filedialog.h"
#include "platform/messagebox.h"
#include "platform/misc.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "storage/historyblob.h"
#include "storage/memdatafile.h"
#include "storage/returnpassword.h"
#include "storage/returnsections.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstdio>
#include <fstream>

namespace {

constexpr const char* kCannotCreate =
    "Unable to create an Untitled return.\nPlease verify you have room on your drive.";
constexpr const char* kCannotOpen =
    "Unable to open %s file. Please verify the file still exists on your computer.";
constexpr const char* kReadOnly =
    "Unable to open file %s.\n\nFile is currently set to Read-Only. You must turn OFF the "
    "Read-Only attribute, then attempt to open the file again.";
constexpr const char* kPasswordPrompt = "The return %s%s is password protected. Enter the "
                                        "correct password below and click the OK button.";
constexpr const char* kCannotSave = "Unable to save %s";
constexpr const char* kInvalidName = "Untitled is an invalid file name";
constexpr const char* kSaveChanges =
    "The currently opened return has been modified. \n\nDo you wish to save the changes?";
constexpr const char* kOfferBackup =
    "Unable to open \"%s\".\n\nWould you like to attempt to open the auto-backup file?";
constexpr const char* kBackupOpened =
    "Quorva successfully opened the auto-backup file \"%s\".\n\nTake a moment to review your "
    "most recent changes.";
constexpr long kHintSaved = 8;

std::string format(const char* pattern, const std::string& a, const std::string& b = {}) {
    const int n = std::snprintf(nullptr, 0, pattern, a.c_str(), b.c_str());
    std::string out(std::size_t(n > 0 ? n : 0), '\0');
    std::snprintf(out.data(), out.size() + 1, pattern, a.c_str(), b.c_str());
    return out;
}

// The first 108 bytes carry the signature and a known format version.
bool HasValidHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    char header[CDataFile::headerSize] = {};
    in.read(header, sizeof header);
    if (in.gcount() != std::streamsize(sizeof header))
        return false;
    if (std::string(header, 47) != std::string(CDataFile::signature, 47))
        return false;
    const unsigned char* v = reinterpret_cast<const unsigned char*>(header + 100);
    const std::uint32_t version = v[0] | (v[1] << 8) | (v[2] << 16) | (std::uint32_t(v[3]) << 24);
    return version == CDataFile::version10 || version == CDataFile::version20;
}

bool CanRead(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

} // namespace

CTaxDoc::CTaxDoc(CModuleList& modules, CMemDataFile& file, qv::HistoryList& history,
                 qv::PageStack& pages)
    : m_modules(modules), m_file(file), m_history(history), m_pages(pages),
      m_closedAtStartup(qv::settings::getInt("DATA", "CLOSED") != 0) {}

std::string CTaxDoc::ScratchPath() {
    return pf::writableProgDir() + kScratchTitle;
}

bool CTaxDoc::IsScratch() const {
    return pathName().empty() || pf::iequals(fileTitle(pathName()), kScratchTitle);
}

bool CTaxDoc::MakeWritable(const std::string& path) {
    if (pf::fileExists(path) && pf::isReadOnly(path))
        pf::setReadOnly(path, false);
    return !pf::fileExists(path) || !pf::isReadOnly(path);
}

std::string CTaxDoc::PromptFileName(bool open, const std::string& title,
                                    const std::string& initialName) {
    pf::FileDialogSpec spec;
    spec.open = open;
    spec.title = title;
    spec.filter = "2002 Tax Return Files (*.ta2, *.bak)|*.ta2;*.bak||";
    spec.defaultExt = "ta2";
    const std::string last = qv::settings::getString("DATA", "LAST FILE OPENED");
    spec.initialDir = last.empty() ? pf::progDir() : pf::folderOf(last);
    spec.initialName = initialName;
    spec.mustExist = open;
    spec.overwritePrompt = true;
    spec.hideReadOnly = true;
    return pf::fileDialog(spec);
}

void CTaxDoc::setPathName(const std::string& path, bool addToRecent) {
    const bool scratch = pf::iequals(fileTitle(path), kScratchTitle);
    pf::Document::setPathName(path, false);
    if (!scratch)
        qv::settings::writeString("DATA", "LAST FILE OPENED", pathName());
    if (addToRecent && !scratch)
        addToRecentList(pathName());
}

void CTaxDoc::SetReturnModified(bool modified) {
    setModifiedFlag(modified);
    CTaxModule* federal = m_modules.federal();
    CFormManager* fm = federal ? federal->formManager() : nullptr;
    if (!fm)
        return;
    const int form = fm->FindForm("USF1040");
    CFormCopy* copy = form ? fm->GetFormCopy(form, 1) : nullptr;
    const int number = form ? fm->FindField(form, "Modified", 0) : 0;
    CField* field = copy && number ? copy->GetField(number) : nullptr;
    if (!field)
        return;
    field->SetChecked(modified ? 1 : 0);
    field->Refresh();
}

void CTaxDoc::ClearHistory() {
    m_history.clear();
    m_pages.clear();
    SetHistoryIndex(0);
}

void CTaxDoc::SetHistoryIndex(int index) {
    m_history.setIndex(index);
}

bool CTaxDoc::LoadHistory() {
    return qv::LoadHistoryBlobs(m_file, m_history, m_pages, m_closedCleanly);
}

int CTaxDoc::SaveHistory() {
    return qv::SaveHistoryBlobs(m_file, m_history, m_pages);
}

bool CTaxDoc::CheckReturnPassword(const std::string& prompt) {
    return qv::CheckReturnPassword(m_file, prompt);
}

bool CTaxDoc::OnNewDocument() {
    if (auto* app = qv::CTaxApp::instance())
        app->setNewReturnFlag(true);
    qv::settings::writeInt("DATA", "AUTOSAVE", 1);
    qv::settings::writeString("DATA", "LAST VIEW OPENED", "Interview");
    qv::settings::writeInt("DATA", "HISTORY INDEX", 0);
    ClearHistory();
    m_file.Close(true);
    const std::string scratch = ScratchPath();
    if (m_file.Create(scratch) != 1 || !m_modules.InitEmptyReturn()) {
        pf::messageBox(kCannotCreate, pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return false;
    }
    m_file.Close(false);
    setModifiedFlag(false);
    setPathName(scratch, false);
    return true;
}

bool CTaxDoc::OnOpenDocument(const std::string& path) {
    m_loadTouched = false;
    m_closedCleanly = m_closedAtStartup && qv::settings::getInt("DATA", "CLOSED") != 0;
    m_closedAtStartup = true;
    const std::string previous = pathName();
    // The previous return's places come back with it when the open is refused early.
    const qv::HistoryList keptHistory = m_history;
    const qv::PageStack keptPages = m_pages;
    ClearHistory();
    m_file.Close(true);
    const auto refuse = [&] {
        qv::settings::writeString("DATA", "LAST FILE OPENED", previous);
        m_file.Close(true);
        if (!previous.empty())
            m_file.Open(previous);
        m_history = keptHistory;
        m_pages = keptPages;
        return false;
    };
    if (!MakeWritable(path)) {
        pf::messageBox(format(kReadOnly, path), pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return refuse();
    }
    if (m_file.Open(path) != 1) {
        pf::messageBox(format(kCannotOpen, path), pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return refuse();
    }
    const std::string name = pf::fileName(path);
    const std::size_t dot = name.find_last_of('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    if (!CheckReturnPassword(format(kPasswordPrompt, base, ext))) {
        pf::messageBox(format(kCannotOpen, path), pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return refuse();
    }
    m_loadTouched = true;
    if (!loadReturn(path)) {
        pf::messageBox(format(kCannotOpen, path), pf::MB_OK | pf::MB_ICONEXCLAMATION);
        qv::settings::writeString("DATA", "LAST FILE OPENED", "");
        return false;
    }
    m_file.Close(false);
    SetReturnModified(false);
    qv::settings::writeString("DATA", "LAST FILE OPENED", path);
    return true;
}

bool CTaxDoc::loadReturn(const std::string& path) {
    m_file.Close(true);
    if (m_file.Open(path) != 1 || !LoadHistory() || !m_modules.LoadReturnData())
        return false;
    // Places saved against the old layout of the federal forms lead nowhere now.
    if (m_modules.federalWasMapped())
        ClearHistory();
    return true;
}

void CTaxDoc::restorePrevious(const std::string& previousPath) {
    const bool named =
        !previousPath.empty() && !pf::iequals(fileTitle(previousPath), kScratchTitle);
    if (named && pf::fileExists(previousPath) && loadReturn(previousPath)) {
        m_file.Close(false);
        SetReturnModified(false);
        setPathName(previousPath, false);
        return;
    }
    OnNewDocument();
}

bool CTaxDoc::OpenDocumentFile(const std::string& path) {
    if (!SaveModified())
        return false;
    const std::string previous = pathName();
    const bool wasModified = isModified();
    if (!OnOpenDocument(path)) {
        if (m_loadTouched)
            restorePrevious(previous);
        else
            setModifiedFlag(wasModified);
        return false;
    }
    setPathName(path, true);
    return true;
}

bool CTaxDoc::NewDocumentFile() {
    if (!SaveModified())
        return false;
    return OnNewDocument();
}

bool CTaxDoc::OpenReturnFile(const std::string& path) {
    if (!pf::fileExists(path) || !CanRead(path))
        return false;
    if (!HasValidHeader(path)) {
        if (pf::messageBox(format(kOfferBackup, path), pf::MB_YESNO | pf::MB_ICONEXCLAMATION) !=
            pf::IDYES)
            return false;
        CMemDataFile backup;
        bool copied = false;
        if (backup.Open(path + ".bak") == 1)
            copied = backup.CopyTo(path) == 1;
        backup.Close(true);
        if (!copied || !HasValidHeader(path))
            return false;
        pf::messageBox(format(kBackupOpened, path), pf::MB_OK | pf::MB_ICONINFORMATION);
    }
    return OpenDocumentFile(path);
}

bool CTaxDoc::OnSaveDocument(const std::string& path) {
    // Save writes beside the target and renames it over, so a failure leaves the file on
    // disk as it was; it also binds the data file to `path` for the next save.
    const bool ok = SaveHistory() && m_modules.SaveReturnData() && m_file.Save(path) == 1;
    if (!ok) {
        pf::messageBox(format(kCannotSave, path), pf::MB_OK | pf::MB_ICONEXCLAMATION);
        return false;
    }
    SetReturnModified(false);
    updateAllViews(kHintSaved);
    return true;
}

std::string CTaxDoc::ProposedFileName() const {
    CTaxModule* federal = m_modules.federal();
    const std::string names = federal ? TrimBlanks(federal->GetFieldText("CombNames")) : "";
    return (names.empty() ? std::string(kDocName) : names + "'s 2002 Tax Return") + kExtension;
}

bool CTaxDoc::DoSave(const std::string& path, bool replace) {
    std::string target = path;
    if (target.empty() || pf::iequals(fileTitle(target), kScratchTitle)) {
        target = PromptFileName(false, replace ? "Save As" : "Save Copy As", ProposedFileName());
        if (target.empty())
            return false;
        if (pf::iequals(fileTitle(target), kScratchTitle)) {
            pf::messageBox(kInvalidName, pf::MB_OK | pf::MB_ICONEXCLAMATION);
            return false;
        }
    }
    const bool modified = isModified();
    bool ok = false;
    {
        pf::WaitCursor wait;
        ok = OnSaveDocument(target);
    }
    if (!ok) {
        setModifiedFlag(modified);
        return false;
    }
    if (replace)
        setPathName(target, true);
    return true;
}

bool CTaxDoc::DoFileSave() {
    return DoSave(pathName(), true);
}

bool CTaxDoc::SaveModified() {
    if (!isModified())
        return true;
    const int answer = pf::messageBox(kSaveChanges, pf::MB_YESNOCANCEL | pf::MB_ICONEXCLAMATION);
    if (answer == pf::IDCANCEL)
        return false;
    if (answer == pf::IDYES)
        return DoFileSave();
    return true;
}
