#include "html/htmlurlwnd.h"

#include "html/htmlwindow.h"

#include <QKeyEvent>

CHTMLUrlWnd::CHTMLUrlWnd(HtmlWindow* page, std::string url, int number, CSectionBase* block, int id)
    : QWidget(page), m_page(page), m_url(std::move(url)), m_number(number), m_block(block),
      m_id(id) {
    setFocusPolicy(Qt::TabFocus);
    // Off-screen and one pixel small: never seen, but able to hold the focus.
    setGeometry(-100, -100, 1, 1);
    show();
}

bool CHTMLUrlWnd::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            m_page->moveFocus(this, key->key() == Qt::Key_Backtab ||
                                        (key->modifiers() & Qt::ShiftModifier));
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            m_page->activateLink(m_url);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Up:
        case Qt::Key_Down:
            m_page->scrollKey(key->key());
            return true;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

void CHTMLUrlWnd::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_page->linkFocused(this, true);
}

void CHTMLUrlWnd::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_page->linkFocused(this, false);
}
