#pragma once

class CModuleList;

namespace qv {

class CommandTable;
struct MainMenus;

// Refills the five state sub-menus with one item per active state, in list order, each
// sub-menu numbering its items upwards from its own first command id. A sub-menu left empty
// gets the single item "Select a state" (Step 3. Select State...).
void RebuildStateMenus(const MainMenus& menus, const CModuleList& modules, CommandTable& commands);

} // namespace qv
