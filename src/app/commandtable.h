#pragma once

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace qv {

// Menu commands by their numeric ids. A command without a handler is shown disabled; the
// enable and check states are asked again each time a menu opens, as update handlers are.
class CommandTable final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using State = std::function<bool()>;

    void setHandler(int id, Handler handler, State enabled = {}, State checked = {});
    bool hasHandler(int id) const { return m_commands.count(id) != 0; }
    // Runs a command as its menu item would; false when it has no handler or is disabled.
    bool execute(int id);
    bool isEnabled(int id) const;
    bool isChecked(int id) const;

    // Wires every action of the menu bar whose data is a command id, recursively.
    void attach(QMenuBar* bar);
    void attachMenu(QMenu* menu);
    // Wires actions added to a menu since, and refreshes their states.
    void update(QMenu* menu);

private:
    struct Command {
        Handler handler;
        State enabled;
        State checked;
    };
    std::map<int, Command> m_commands;
};

int commandId(const QAction* action);

} // namespace qv
