#include "app/mainmenu.h"

#include "app/commandids.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace qv {
namespace {

QAction* item(QMenu* menu, int id, const char* text, const char* keys = nullptr) {
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setData(id);
    if (keys)
        action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
    return action;
}

QAction* checkItem(QMenu* menu, int id, const char* text) {
    QAction* action = item(menu, id, text);
    action->setCheckable(true);
    return action;
}

QMenu* sub(QMenu* menu, const char* text) {
    return menu->addMenu(QString::fromLatin1(text));
}

void fileMenu(QMenuBar* bar) {
    QMenu* m = bar->addMenu("&File");
    item(m, cmd::NewReturn, "&New Return", "Ctrl+N");
    item(m, cmd::OpenReturn, "&Open Return...", "Ctrl+O");
    item(m, cmd::SaveReturn, "&Save Return", "Ctrl+S");
    item(m, cmd::SaveReturnAs, "Save Return &As...");
    item(m, cmd::DeleteReturn, "&Delete Return...");
    m->addSeparator();
    item(m, cmd::PrintForm, "&Print Form...", "Ctrl+P");
    item(m, cmd::CustomPrint, "Custom Print");
    item(m, cmd::PrintReturn, "Print Return");
    item(m, cmd::PrintSetup, "Print Set&up...");
    m->addSeparator();
    QMenu* import = sub(m, "&Import");
    item(import, cmd::ImportPriorYear, "Quorva 2001 Return...");
    item(import, cmd::ImportGains, "GainsKeeper Data");
    item(m, cmd::Backup, "&Backup...");
    item(m, cmd::RestoreBackup, "&Restore Backup...");
    QMenu* password = sub(m, "Pass&word");
    item(password, cmd::PasswordAdd, "Add");
    item(password, cmd::PasswordChange, "Change");
    item(password, cmd::PasswordDelete, "Delete");
    QMenu* preferences = sub(m, "Pr&eferences");
    checkItem(preferences, cmd::AutoSave, "AutoSave");
    checkItem(preferences, cmd::AutoBackup, "Auto-Backup");
    item(preferences, cmd::SelectBrowser, "Select Browser...");
    m->addSeparator();
    item(m, cmd::Exit, "E&xit");
}

void editMenu(QMenuBar* bar) {
    QMenu* m = bar->addMenu("&Edit");
    item(m, 57635, "Cu&t", "Ctrl+X");
    item(m, 57634, "&Copy", "Ctrl+C");
    item(m, 57637, "&Paste", "Ctrl+V");
    m->addSeparator();
    item(m, 32776, "Open Supporting Form");
    item(m, 32777, "Override field");
    item(m, 32778, "Clear Override");
    item(m, 32779, "Mark as Estimate");
    item(m, 32780, "Add Line Item Details");
}

void viewMenu(QMenuBar* bar) {
    QMenu* m = bar->addMenu("&View");
    item(m, 33011, "Calculator", "Ctrl+J");
    item(m, 32855, "Summary", "Ctrl+U");
    item(m, 32878, "History", "Ctrl+Y");
    item(m, 32881, "Home Page", "Ctrl+H");
    m->addSeparator();
    checkItem(m, 59392, "Toolbar");
    checkItem(m, 59393, "Status Bar");
}

void federalMenu(QMenuBar* bar) {
    QMenu* m = bar->addMenu("Fe&deral");
    item(m, 32781, "QnA", "Ctrl+I");
    item(m, 32783, "Alerts");
    item(m, 103, "Forms", "Ctrl+F");
    item(m, 33030, "Life Events");
    QMenu* file = sub(m, "File Return");
    item(file, 32789, "File Electronically...", "Ctrl+Alt+E");
    item(file, 32788, "File Paper...", "Ctrl+Alt+F");
    item(m, 33002, "E-file Return Status");
    item(m, 32790, "Update W4");
    QMenu* amended = sub(m, "Amended Return");
    item(amended, 3374, "Amended QnA");
    item(amended, 33022, "Amended Form");
}

void stateMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* m = bar->addMenu("&State");
    item(m, 32953, "Step 2. Install State Program");
    item(m, cmd::SelectState, "Step 3. Select State...");
    item(m, 32791, "Step 4. QnA");
    item(m, 32792, "Step 5. Review Forms");
    item(m, 32793, "Step 6. Run Alerts");
    QMenu* file = sub(m, "Step 7. File State Return");
    menus.stateFilePaper = sub(file, "File Paper");
    menus.stateFileElectronically = sub(file, "File Electronically");
    item(m, 3309, "E-file Return Status");
    item(m, cmd::ResetStateData, "Reset State Data");
}

void reportsMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* m = bar->addMenu("&Reports");
    QMenu* instructions = sub(m, "Filing Instructions");
    item(instructions, 32976, "Federal Return");
    menus.stateFilingInstructions = sub(instructions, "State");
    QMenu* checklist = sub(m, "Electronic Filing Checklist");
    item(checklist, 3348, "Federal Return");
    menus.stateEFileChecklist = sub(checklist, "State");
    m->addSeparator();
    item(m, 32958, "Compare filing Joint-vs-Separate");
    item(m, 32977, "Prior Year Comparison");
    item(m, 3336, "National Averages");
    item(m, 32980, "Tax Calculator 2003");
    item(m, 32981, "Yearscope 2003");
    m->addSeparator();
    item(m, 33023, "Depreciation 2002");
    item(m, 33024, "Depreciation 2003");
    item(m, 3362, "Disposal");
    item(m, 3406, "State Depreciation");
    item(m, 3396, "Capital Gains Short");
    item(m, 3397, "Capital Gains Long");
    m->addSeparator();
    item(m, 33027, "Loan Calculator");
    item(m, 33026, "Savings Calculator");
}

void onlineMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* m = bar->addMenu("&Online");
    QMenu* updates = sub(m, "Program Updates");
    item(updates, 3355, "Federal");
    menus.stateProgramUpdates = sub(updates, "State");
    m->addSeparator();
    item(m, 32972, "Technical Support");
    item(m, 32974, "Submit Product Suggestion");
    item(m, 32968, "Check Release Dates");
    item(m, 32950, "Quorva Home Page", "Ctrl+W");
    item(m, 32946, "Tax Tips");
    item(m, 32947, "Tax Law Updates");
    item(m, 32973, "Tax Calendar");
    item(m, 32949, "Tax Links");
    item(m, 32954, "IRS Tax Forms and Publications");
    item(m, 32962, "IRS FAQ");
    item(m, 32970, "EF FAQ");
    item(m, 3407, "Live Advice");
}

void helpMenu(QMenuBar* bar, MainMenus& menus) {
    QMenu* m = bar->addMenu("&Help");
    menus.help = m;
    item(m, 3361, "Help Contents");
    item(m, 32951, "Program Help", "F1");
    item(m, 150, "Tax Guide", "F2");
    item(m, 3404, "Expert Help", "F3");
    item(m, 3346, "How to Use Help");
    item(m, 109, "Search Program Help");
    item(m, 32969, "Search Tax Guide");
    item(m, 3405, "Search Expert Help");
    item(m, cmd::IrsPublications, "IRS Publications");
    item(m, 33029, "Accuracy Guarantee");
    m->addSeparator();
    item(m, cmd::VersionInformation, "Version Information...");
    item(m, cmd::About, "About...");
}

} // namespace

MainMenus buildMainMenu(QMenuBar* bar) {
    MainMenus menus;
    fileMenu(bar);
    editMenu(bar);
    viewMenu(bar);
    federalMenu(bar);
    stateMenu(bar, menus);
    reportsMenu(bar, menus);
    onlineMenu(bar, menus);
    helpMenu(bar, menus);
    return menus;
}

void removeMenuCommand(QMenu* menu, int id) {
    for (QAction* action : menu->actions()) {
        if (QMenu* subMenu = action->menu()) {
            removeMenuCommand(subMenu, id);
            if (subMenu->actions().isEmpty()) {
                menu->removeAction(action);
                subMenu->deleteLater();
            }
        } else if (action->data().toInt() == id) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
}

} // namespace qv
