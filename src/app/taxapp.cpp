#include "app/taxapp.h"

#include "app/appsettings.h"
#include "app/browser.h"
#include "app/commandids.h"
#include "app/formviewhost.h"
#include "app/mainframe.h"
#include "app/returncommands.h"
#include "app/selectbrowserdlg.h"
#include "app/splashwindow.h"
#include "app/startpanel.h"
#include "app/statemenus.h"
#include "forms/detailsstorehost.h"
#include "forms/historylist.h"
#include "interview/pagestack.h"
#include "modules/modulelist.h"
#include "modules/resetstatedlg.h"
#include "modules/selectstatedlg.h"
#include "modules/taxmodule.h"
#include "modules/versioninfodlg.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/messagebox.h"
#include "platform/messages.h"
#include "platform/misc.h"
#include "platform/paths.h"
#include "storage/memdatafile.h"
#include "storage/returnbackup.h"
#include "storage/taxdoc.h"

#include <QApplication>
#include <QStatusBar>
#include <QStringList>

#include <utility>

namespace qv {
namespace {

CTaxApp* g_app = nullptr;

constexpr const char* kNoBackupFolder =
    "Unable to create Auto-Backup directory.\nPlease verify you have room on your drive.";
constexpr const char* kNoModules =
    "Unable to open tax module files.\n\nPlease reinstall the program and all state modules.";

// The Online entries opened by the Online and Help menu commands.
constexpr std::pair<int, const char*> kOnlineCommands[] = {
    {32972, "Support"},   {32974, "Suggestion"},   {32968, "ReleaseDates"},  {32950, "HomePage"},
    {32830, "HomePage"},  {32946, "TaxTips"},      {32947, "TaxLawUpdates"}, {32973, "TaxCalendar"},
    {32949, "TaxLinks"},  {32954, "FormsAndPubs"}, {32962, "IRSFAQ"},        {32970, "EFFAQ"},
    {3407, "LiveAdvice"}, {33002, "EFStatus"},     {3309, "EFStatus"},
};

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

CTaxApp::Options CTaxApp::parseArguments(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size()) {
                options.error = "--screenshot needs the file to write";
                return options;
            }
            options.screenshotPath = arguments[++i].toStdString();
        } else if (arg.startsWith(QLatin1String("--"))) {
            options.error = "unknown option " + arg.toStdString();
            return options;
        } else if (options.returnPath.empty()) {
            options.returnPath = arg.toStdString();
        } else {
            options.error = "only one return can be opened";
            return options;
        }
    }
    return options;
}

CTaxApp::CTaxApp() : m_returnFile(std::make_unique<CMemDataFile>()) {
    g_app = this;
}

CTaxApp::~CTaxApp() {
    ExitInstance();
    if (g_app == this)
        g_app = nullptr;
}

CTaxApp* CTaxApp::instance() {
    return g_app;
}

CModuleList& CTaxApp::modules() {
    return CModuleList::instance();
}

CMemDataFile& CTaxApp::returnFile() {
    return *m_returnFile;
}

bool CTaxApp::InitInstance(const Options& options) {
    m_initialized = true;
    // 1. Small screens get the main window maximized.
    const pf::Size screen = pf::screenSize();
    m_maximized = screen.width < 801 || screen.height < 601;
    // 2-4. Settings, the INI entries other programs read, the switches.
    writeIniEntries();
    m_fileHost.setAutoSave(settings::getInt("DATA", "AUTOSAVE") != 0);
    m_fileHost.setAutoBackup(settings::getInt("DATA", "AUTOBACKUP") != 0);
    setDataFileHost(&m_fileHost);
    m_newReturn = true;
    // 5. The return document.
    m_history = std::make_unique<HistoryList>();
    m_pageStack = std::make_unique<PageStack>();
    m_doc = std::make_unique<CTaxDoc>(modules(), *m_returnFile, *m_history, *m_pageStack);
    // 6. The Auto-Backup folder.
    if (!makeAutoBackupFolder()) {
        pf::messageBox(kNoBackupFolder, pf::MB_OK | pf::MB_ICONSTOP);
        return false;
    }
    // 8. The tax modules, each handed the program's details store.
    CModuleList& list = modules();
    m_detailsStore = std::make_unique<CDetailsStoreHost>(list, *m_returnFile);
    list.setDetailsStore(m_detailsStore.get());
    list.setReturnFile(m_returnFile.get());
    if (!list.LoadModules()) {
        pf::messageBox(kNoModules, pf::MB_OK | pf::MB_ICONSTOP);
        return false;
    }
    // 9. Splash, then the return named on the command line or the last one opened.
    m_frame = std::make_unique<CMainFrame>();
    setUpMainFrame();
    m_returnCommands = std::make_unique<ReturnCommands>(*m_doc, *m_frame);
    if (!m_document) // a test may have put its own in place
        setStartupDocument(m_returnCommands.get());
    if (options.screenshotPath.empty())
        (new SplashWindow)->show();
    guardFormAcrossReturns();
    if (!openStartupReturn(options))
        return false;
    // Until the interview's home page exists, the main window starts on Form 1040.
    m_formHost->ShowDefaultForm();
    // 13. Show the main window.
    if (m_maximized)
        m_frame->showMaximized();
    else
        m_frame->show();
    return true;
}

void CTaxApp::writeIniEntries() {
    pf::IniFile ini = pf::IniFile::inWinDir("QUORVA02.INI");
    ini.writeString("Quorva02", "Maindir", withoutTrailingSlash(pf::progDir()));
    ini.writeString("Quorva02", "Final", "1");
}

bool CTaxApp::makeAutoBackupFolder() {
    return pf::makeDir(m_fileHost.autoBackupDir()) && pf::dirExists(m_fileHost.autoBackupDir());
}

bool CTaxApp::openStartupReturn(const Options& options) {
    if (!m_document)
        return true;
    std::string path = options.returnPath;
    if (path.empty())
        path = settings::getString("DATA", "LAST FILE OPENED");
    if (!path.empty()) {
        if (pf::fileExists(path) && pf::isReadOnly(path))
            pf::setReadOnly(path, false);
        if (m_document->openReturn(path))
            return true;
    }
    return m_document->newReturn();
}

void CTaxApp::setUpMainFrame() {
    CMainFrame& frame = *m_frame;
    // 10. The main view; the interview's home page takes this place once it exists.
    m_startPanel = new StartPanel(modules());
    frame.setMainView(m_startPanel);
    // 11. No status bar at start.
    if (frame.statusBar()->isVisible())
        frame.statusBar()->hide();
    // 12. Help > IRS Publications only where the publications are installed.
    if (settings::getString("IRS Pubs", "Location").empty())
        removeMenuCommand(frame.menus().help, cmd::IrsPublications);
    registerCommands();
    m_formHost = std::make_unique<FormViewHost>(frame, modules(), m_doc.get(), m_history.get(),
                                                [this]() -> QWidget* {
                                                    m_startPanel = new StartPanel(modules());
                                                    return m_startPanel;
                                                });
    modules().setStateMenuRebuilder([this] {
        RebuildStateMenus(m_frame->menus(), modules(), m_frame->commands());
        if (m_startPanel)
            m_startPanel->refresh();
    });
    modules().RebuildStateMenus();
    frame.commands().attach(frame.menuBar());
}

void CTaxApp::registerCommands() {
    CommandTable& commands = m_frame->commands();
    CModuleList& list = modules();
    const auto haveStates = [&list] { return list.GetCount() > 1; };
    commands.setHandler(cmd::Exit, [this] { m_frame->close(); });
    commands.setHandler(
        cmd::AutoSave, [this] { toggleAutoSave(); }, {}, [this] { return autoSave(); });
    commands.setHandler(
        cmd::AutoBackup, [this] { toggleAutoBackup(); }, {}, [this] { return autoBackup(); });
    commands.setHandler(cmd::SelectBrowser, [this] {
        CSelectBrowserDlg dialog(DetectBrowsers(), m_frame.get());
        pf::execDialog(dialog);
    });
    commands.setHandler(
        cmd::SelectState,
        [this, &list] {
            CAddStates dialog(list, false, m_frame.get());
            pf::execDialog(dialog);
        },
        haveStates);
    commands.setHandler(
        cmd::ResetStateData,
        [this, &list] {
            CResetStateDlg dialog(list, m_frame.get());
            pf::execDialog(dialog);
        },
        haveStates);
    commands.setHandler(cmd::VersionInformation, [this, &list] {
        CVersionInfoDlg dialog(list, m_frame.get());
        pf::execDialog(dialog);
    });
    for (const auto& [id, entry] : kOnlineCommands) {
        const std::string name = entry;
        commands.setHandler(id, [name] { OpenUrl(settings::getString("Online", name)); });
    }
}

void CTaxApp::guardFormAcrossReturns() {
    CommandTable& commands = m_frame->commands();
    CTaxDoc& doc = *m_doc;
    const auto around = [this](std::function<void()> change) {
        return [this, change] {
            // A refused store keeps the user on the field and the return as it is.
            if (m_formHost->view() &&
                pf::sendMessage(m_formHost->view(), pf::UM_COMMIT_FIELD, 0, 1) == 0)
                return;
            m_formHost->DropForm();
            change();
            m_formHost->ShowDefaultForm();
        };
    };
    commands.setHandler(cmd::NewReturn, around([&doc] { doc.NewDocumentFile(); }));
    commands.setHandler(cmd::OpenReturn, around([&doc] {
                            const std::string path = CTaxDoc::PromptFileName(true, "Open", "");
                            if (!path.empty())
                                doc.OpenReturnFile(path);
                        }));
    commands.setHandler(cmd::RestoreBackup, around([&doc] { RestoreReturnBackup(doc); }));
}

void CTaxApp::toggleAutoSave() {
    m_fileHost.setAutoSave(!m_fileHost.autoSave());
    settings::writeInt("DATA", "AUTOSAVE", m_fileHost.autoSave() ? 1 : 0);
}

void CTaxApp::toggleAutoBackup() {
    m_fileHost.setAutoBackup(!m_fileHost.autoBackup());
    settings::writeInt("DATA", "AUTOBACKUP", m_fileHost.autoBackup() ? 1 : 0);
}

void CTaxApp::ExitInstance() {
    if (!m_initialized)
        return;
    m_initialized = false;
    settings::writeInt("DATA", "CLOSED", 1);
    modules().setStateMenuRebuilder({});
    if (m_document == m_returnCommands.get())
        m_document = nullptr;
    m_returnCommands.reset();
    m_doc.reset();
    if (m_history)
        m_history->clear();
    if (m_pageStack)
        m_pageStack->clear();
    m_startPanel = nullptr;
    m_formHost.reset();
    m_frame.reset();
    modules().UnloadAll();
    modules().setDetailsStore(nullptr);
    modules().setReturnFile(nullptr);
    m_detailsStore.reset();
    if (dataFileHost() == &m_fileHost)
        setDataFileHost(nullptr);
}

} // namespace qv
