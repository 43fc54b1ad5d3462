#include "app/statemenus.h"

#include "app/commandids.h"
#include "app/commandtable.h"
#include "app/mainmenu.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "online/efilemodules.h"
#include "platform/text.h"

#include <QAction>
#include <QMenu>

namespace qv {
namespace {

void refill(QMenu* menu, int firstId, bool efileOnly, const CModuleList& modules,
            CommandTable& commands) {
    if (!menu)
        return;
    menu->clear();
    int id = firstId;
    for (int n = 2; n <= modules.GetCount(); ++n) {
        CTaxModule* state = modules.GetByNumber(n);
        if (!state->IsActive() || (efileOnly && !IsEfileModule(state->GetModuleName())))
            continue;
        menu->addAction(pf::toQt(state->GetModuleTitle()))->setData(id++);
    }
    if (menu->actions().isEmpty())
        menu->addAction("Select a state")->setData(int(cmd::SelectState));
    commands.update(menu);
}

} // namespace

void RebuildStateMenus(const MainMenus& menus, const CModuleList& modules, CommandTable& commands) {
    refill(menus.stateFilingInstructions, cmd::StateFilingInstructions, false, modules, commands);
    refill(menus.stateFilePaper, cmd::StateFilePaper, false, modules, commands);
    refill(menus.stateProgramUpdates, cmd::StateProgramUpdates, false, modules, commands);
    refill(menus.stateFileElectronically, cmd::StateFileElectronically, true, modules, commands);
    refill(menus.stateEFileChecklist, cmd::StateEFileChecklist, true, modules, commands);
}

} // namespace qv
