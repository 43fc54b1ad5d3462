#pragma once

#include "app/appdatafilehost.h"

#include <QPointer>
#include <QStringList>

#include <memory>
#include <string>

class CDetailsStoreHost;
class CMemDataFile;
class CModuleList;
class CTaxDoc;

namespace qv {

class CMainFrame;
class FormViewHost;
class HistoryList;
class PageStack;
class ReturnCommands;
class StartPanel;

// What start-up asks of the return document: open the last or the named return, or make a
// new one. The return document registers itself here; without one the program starts with no
// return open.
class StartupDocument {
public:
    virtual ~StartupDocument() = default;
    virtual bool openReturn(const std::string& path) = 0;
    virtual bool newReturn() = 0;
};

// The application object: start-up and shut-down in their fixed order, the switches copied
// from the settings, and the objects that live for the whole run.
class CTaxApp final {
public:
    struct Options {
        std::string returnPath;     // first argument: a return to open
        std::string screenshotPath; // --screenshot FILE
        std::string error;          // what was wrong with the command line, if anything
    };
    static Options parseArguments(const QStringList& arguments);

    CTaxApp();
    ~CTaxApp();
    CTaxApp(const CTaxApp&) = delete;
    CTaxApp& operator=(const CTaxApp&) = delete;
    static CTaxApp* instance();

    // The start-up steps; false when the program must end (its message has been shown).
    bool InitInstance(const Options& options);
    void ExitInstance();

    CModuleList& modules();
    CMemDataFile& returnFile();
    CMainFrame* mainFrame() const { return m_frame.get(); }
    void setStartupDocument(StartupDocument* document) { m_document = document; }

    bool autoSave() const { return m_fileHost.autoSave(); }
    bool autoBackup() const { return m_fileHost.autoBackup(); }
    void toggleAutoSave();
    void toggleAutoBackup();
    bool newReturnFlag() const { return m_newReturn; }
    void setNewReturnFlag(bool on) { m_newReturn = on; }

    // Whether start-up asked for the main window maximized (small screens).
    bool startsMaximized() const { return m_maximized; }

    // The return document with the places visited in it (history list, interview pages).
    CTaxDoc* document() const { return m_doc.get(); }
    HistoryList& history() { return *m_history; }
    PageStack& pageStack() { return *m_pageStack; }
    // The form view in the main window and the one way to open a copy on screen.
    FormViewHost* forms() const { return m_formHost.get(); }

private:
    void writeIniEntries();
    bool makeAutoBackupFolder();
    bool openStartupReturn(const Options& options);
    void setUpMainFrame();
    void registerCommands();
    // New, Open and Restore replace the return: the form view lets go of its copy first.
    void guardFormAcrossReturns();

    AppDataFileHost m_fileHost;
    std::unique_ptr<CMemDataFile> m_returnFile;
    std::unique_ptr<CDetailsStoreHost> m_detailsStore;
    std::unique_ptr<CMainFrame> m_frame;
    QPointer<StartPanel> m_startPanel;
    std::unique_ptr<FormViewHost> m_formHost;
    StartupDocument* m_document = nullptr;
    // The return document and what it keeps, made before the first data file closes (it
    // reads the unclean-exit flag the previous run left).
    std::unique_ptr<HistoryList> m_history;
    std::unique_ptr<PageStack> m_pageStack;
    std::unique_ptr<CTaxDoc> m_doc;
    std::unique_ptr<ReturnCommands> m_returnCommands;
    bool m_newReturn = false;
    bool m_maximized = false;
    bool m_initialized = false;
};

} // namespace qv
