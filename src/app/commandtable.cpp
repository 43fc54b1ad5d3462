#include "app/commandtable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace qv {

int commandId(const QAction* action) {
    bool ok = false;
    const int id = action->data().toInt(&ok);
    return ok ? id : 0;
}

void CommandTable::setHandler(int id, Handler handler, State enabled, State checked) {
    m_commands[id] = Command{std::move(handler), std::move(enabled), std::move(checked)};
}

bool CommandTable::isEnabled(int id) const {
    const auto it = m_commands.find(id);
    if (it == m_commands.end())
        return false;
    return !it->second.enabled || it->second.enabled();
}

bool CommandTable::isChecked(int id) const {
    const auto it = m_commands.find(id);
    return it != m_commands.end() && it->second.checked && it->second.checked();
}

bool CommandTable::execute(int id) {
    if (!isEnabled(id))
        return false;
    // Copied: a handler may replace its own entry while it runs.
    const Handler handler = m_commands[id].handler;
    handler();
    return true;
}

void CommandTable::attach(QMenuBar* bar) {
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu())
            attachMenu(menu);
    }
}

void CommandTable::attachMenu(QMenu* menu) {
    if (menu->property("qvAttached").toBool())
        return;
    menu->setProperty("qvAttached", true);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { update(menu); });
    update(menu);
}

void CommandTable::update(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            attachMenu(sub);
            continue;
        }
        const int id = commandId(action);
        if (id == 0)
            continue;
        if (!action->property("qvWired").toBool()) {
            action->setProperty("qvWired", true);
            connect(action, &QAction::triggered, this, [this, id] { execute(id); });
        }
        action->setEnabled(isEnabled(id));
        if (action->isCheckable())
            action->setChecked(isChecked(id));
    }
}

} // namespace qv
