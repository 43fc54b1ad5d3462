#pragma once

#include "platform/document.h"

#include <string>

class CMemDataFile;
class CModuleList;

namespace qv {
class HistoryList;
class PageStack;
} // namespace qv

// The return document: one return open at a time. The return lives in the container file
// (its sections) and in the form managers of the modules (forms, copies, values); opening
// moves the module sections into the form managers, saving moves them back.
class CTaxDoc final : public pf::Document {
public:
    CTaxDoc(CModuleList& modules, CMemDataFile& file, qv::HistoryList& history,
            qv::PageStack& pages);

    static constexpr const char* kScratchTitle = "Untitled";
    static constexpr const char* kDocName = "2002 Tax Return File";
    static constexpr const char* kExtension = ".ta2";
    // The scratch file a new return is bound to.
    static std::string ScratchPath();
    bool IsScratch() const;

    // The framework's steps. Each shows its own messages and answers false on failure.
    bool OnNewDocument();
    bool OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);
    // Saves under `path`, asking for a name when it is empty or the scratch file; `replace`
    // makes the new name the document's (Save As), otherwise a copy is written.
    bool DoSave(const std::string& path, bool replace = true);
    bool DoFileSave();
    // Asks whether to save a modified return; false when the user cancels or the save fails.
    bool SaveModified();
    void setPathName(const std::string& path, bool addToRecent = true) override;

    // Sets the modified flag and the federal field "Modified" of the first USF1040 copy.
    void SetReturnModified(bool modified);

    // The application's open entry: offers the backup beside a damaged file, then opens.
    bool OpenReturnFile(const std::string& path);
    // The framework's document open: asks to save changes, opens, and on failure brings the
    // previous return back.
    bool OpenDocumentFile(const std::string& path);
    // File > New: asks to save changes, then makes a new return.
    bool NewDocumentFile();

    // Clears a read-only attribute; true when the file is writable afterwards.
    static bool MakeWritable(const std::string& path);
    // The application's prompt for a return's name (Open, Save As, Save Copy As); "" when
    // cancelled.
    static std::string PromptFileName(bool open, const std::string& title,
                                      const std::string& initialName);

    // The name Save As proposes: "<CombNames>'s 2002 Tax Return.ta2" or the document name.
    std::string ProposedFileName() const;

    // The return password check shared by opening and the password commands.
    bool CheckReturnPassword(const std::string& prompt);

    void ClearHistory();
    void SetHistoryIndex(int index);
    // Restores the history list and page stack saved in the return, unless the last run
    // stopped during a save (DATA/CLOSED was 0 when the open began) or DATA/LOADHISTORY is 0.
    // Always true.
    bool LoadHistory();
    // Puts the page-stack and history blobs; 1 or 0.
    int SaveHistory();

    // Backup and Restore Backup are marked while they run (no state offers after the open).
    bool IsRestoring() const { return m_restoring; }
    void SetRestoring(bool on) { m_restoring = on; }
    // Set while the views hear of a prior-year import (they re-read every copy).
    bool IsImporting() const { return m_importing; }
    void SetImporting(bool on) { m_importing = on; }

    CModuleList& modules() const { return m_modules; }
    CMemDataFile& dataFile() const { return m_file; }
    qv::HistoryList& history() const { return m_history; }
    qv::PageStack& pageStack() const { return m_pages; }

private:
    // Loads the file's sections into the form managers; false on failure.
    bool loadReturn(const std::string& path);
    // After an open failed half-way: the previous return again, or a new one.
    void restorePrevious(const std::string& previousPath);

    CModuleList& m_modules;
    CMemDataFile& m_file;
    qv::HistoryList& m_history;
    qv::PageStack& m_pages;
    bool m_restoring = false;
    bool m_importing = false;
    bool m_loadTouched = false; // OnOpenDocument got as far as the form managers
    // DATA/CLOSED as the previous run left it: every close of a data file sets it again, so
    // the first open reads it from here. Later opens read the setting itself.
    bool m_closedAtStartup;
    bool m_closedCleanly = true; // for the open under way
};
