#pragma once

class QMenu;
class QMenuBar;

namespace qv {

// The menus the program changes while it runs.
struct MainMenus {
    QMenu* help = nullptr;
    // The five state sub-menus, refilled whenever the set of active states changes.
    QMenu* stateFilingInstructions = nullptr; // Reports > Filing Instructions > State
    QMenu* stateFilePaper = nullptr;          // State > Step 7 > File Paper
    QMenu* stateProgramUpdates = nullptr;     // Online > Program Updates > State
    QMenu* stateFileElectronically = nullptr; // State > Step 7 > File Electronically
    QMenu* stateEFileChecklist = nullptr;     // Reports > Electronic Filing Checklist > State
};

// Fills the menu bar with the program's menus; every item carries its command id.
MainMenus buildMainMenu(QMenuBar* bar);

// Removes the item with this command id from a menu and its sub-menus.
void removeMenuCommand(QMenu* menu, int id);

} // namespace qv
