#include "app/browser.h"

#include "app/appsettings.h"
#include "app/selectbrowserdlg.h"
#include "app/texthelpers.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/text.h"

#include <QProcess>
#include <QString>

namespace qv {

DetectedBrowsers DetectBrowsers() {
    const pf::IniFile machine(pf::folderOf(pf::settingsPath()) + "machine.ini");
    DetectedBrowsers found;
    if (const std::string ie = machine.getString("Browsers", "iexplore.exe"); !ie.empty())
        found.explorer = ie + " -nohome \"%1\"";
    if (const std::string ns = machine.getString("Browsers", "netscape.exe"); !ns.empty())
        found.navigator = ns + " \"%1\"";
    found.americaOnline = machine.getString("Browsers", "aol");
    if (found.americaOnline.empty()) {
        std::string dir = pf::IniFile::inWinDir("WIN.INI").getString("WAOL", "AppPath");
        if (!dir.empty()) {
            if (dir.back() != '/' && dir.back() != '\\')
                dir += '/';
            found.americaOnline = dir + "AOL.EXE -u \"%1\"";
        }
    }
    return found;
}

std::string BrowserCommand(int choice, const DetectedBrowsers& browsers, const std::string& other,
                           const std::string& address) {
    std::string command;
    switch (choice) {
    case BrowserExplorer:
        command = browsers.explorer;
        break;
    case BrowserNavigator:
        command = browsers.navigator;
        break;
    case BrowserAmericaOnline:
        command = browsers.americaOnline;
        break;
    case BrowserOther:
        command = other;
        ReplaceAll(command, "%URL", address);
        return command;
    default:
        return {};
    }
    ReplaceAll(command, "%1", address);
    return command;
}

bool OpenUrl(const std::string& address) {
    const DetectedBrowsers browsers = DetectBrowsers();
    int choice = settings::getInt("Settings", "Browser");
    if (choice == BrowserNotChosen) {
        if (browsers.americaOnline.empty()) {
            choice = BrowserSystemDefault;
        } else {
            CSelectBrowserDlg dialog(browsers);
            if (pf::execDialog(dialog) != QDialog::Accepted)
                return false;
            choice = settings::getInt("Settings", "Browser");
        }
    }
    const std::string command =
        BrowserCommand(choice, browsers, settings::getString("Settings", "BrowserOther"), address);
    if (command.empty())
        return pf::shellOpen(address);
    QStringList parts = QProcess::splitCommand(pf::toQt(command));
    if (parts.isEmpty())
        return false;
    const std::string program = pf::fromQt(parts.takeFirst());
    std::vector<std::string> args;
    for (const QString& part : parts)
        args.push_back(pf::fromQt(part));
    // A browser that cannot start shows nothing.
    return pf::startProgram(program, args);
}

} // namespace qv
