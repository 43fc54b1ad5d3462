#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class CModuleList;
class CTaxModule;
class QListWidget;

// "Selecting a State": a check list of every state module, checked when the state takes part
// in the return. OK sets each state's active flag from its check mark, unless a state that is
// about to be removed is still in use; then the refusal is shown, its mark is put back and
// the dialog ends as cancelled with nothing changed.
class CAddStates final : public QDialog {
    Q_OBJECT
public:
    // Answers why a state may not be removed now ("" when it may); the active view knows.
    using RemovalCheck = std::function<std::string(CTaxModule& state)>;

    CAddStates(CModuleList& modules, bool newStateFound, QWidget* parent = nullptr);
    void setRemovalCheck(RemovalCheck check) { m_removalCheck = std::move(check); }
    // Runs when OK is accepted, before the states change (the return is marked modified).
    void setOnAccept(std::function<void()> onAccept) { m_onAccept = std::move(onAccept); }

    void accept() override;

private:
    CModuleList& m_modules;
    QListWidget* m_list;
    std::vector<CTaxModule*> m_states;
    RemovalCheck m_removalCheck;
    std::function<void()> m_onAccept;
};
