#include "html/controlkeyhook.h"

#include "html/htmlwindow.h"

#include <QKeyEvent>

qv::ControlKeyHook::ControlKeyHook(HtmlWindow* page, QObject* owner)
    : QObject(owner), m_page(page) {}

bool qv::ControlKeyHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_page->moveFocus(qobject_cast<QWidget*>(watched),
                          key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        m_page->scrollKey(key->key());
        return true;
    default:
        return false;
    }
}
