#include "app/mainframe.h"

#include <QMenuBar>

namespace qv {

CMainFrame::CMainFrame() {
    m_menus = buildMainMenu(menuBar());
    setMinimumSize(640, 480);
    resize(1024, 768);
    setDocumentTitle({});
}

void CMainFrame::setMainView(QWidget* view) {
    setCentralWidget(view);
}

void CMainFrame::setDocumentTitle(const QString& title) {
    setWindowTitle(title.isEmpty() ? QStringLiteral("Quorva 2002")
                                   : title + QStringLiteral(" - Quorva 2002"));
}

} // namespace qv
