#pragma once

#include "app/commandtable.h"
#include "app/mainmenu.h"

#include <QMainWindow>

namespace qv {

// The main window: the menu bar with its commands and one main view in the client area.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame();

    CommandTable& commands() { return m_commands; }
    const MainMenus& menus() const { return m_menus; }
    // Puts a view into the client area; the frame owns it from then on.
    void setMainView(QWidget* view);
    QWidget* mainView() const { return centralWidget(); }
    // The caption reads "<document title> - Quorva 2002", or the product alone.
    void setDocumentTitle(const QString& title);

private:
    CommandTable m_commands;
    MainMenus m_menus;
};

} // namespace qv
