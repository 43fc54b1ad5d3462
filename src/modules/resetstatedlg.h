#pragma once

#include <QDialog>

#include <vector>

class CModuleList;
class CTaxModule;
class QListWidget;

// "Reset State Data": the active states; OK resets each selected state to a fresh start
// (off, its details dropped, on again), except a state whose forms are open in a window.
class CResetStateDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CResetStateDlg(CModuleList& modules, QWidget* parent = nullptr);
    void accept() override;

private:
    QListWidget* m_list;
    std::vector<CTaxModule*> m_states;
};
