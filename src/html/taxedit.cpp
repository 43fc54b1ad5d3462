#include "html/taxedit.h"

#include "html/htmlwindow.h"
#include "html/taxeditformcontrol.h"

#include <QFocusEvent>
#include <QKeyEvent>

CTaxEdit::CTaxEdit(CTaxEditFormControl* control, QWidget* parent)
    : CFieldEdit(parent), m_control(control) {}

void CTaxEdit::keyPressEvent(QKeyEvent* e) {
    HtmlWindow* page = m_control ? m_control->page() : nullptr;
    if (page) {
        switch (e->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
            pf::sendMessage(page, pf::UM_MOVE_FIELD, back ? 1 : 0,
                            reinterpret_cast<pf::LPARAM>(static_cast<QWidget*>(this)));
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            pf::sendMessage(page, pf::UM_MOVE_FIELD, 0,
                            reinterpret_cast<pf::LPARAM>(static_cast<QWidget*>(this)));
            return;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Up:
        case Qt::Key_Down:
            page->scrollKey(e->key());
            return;
        default:
            break;
        }
    }
    CFieldEdit::keyPressEvent(e);
}

void CTaxEdit::focusInEvent(QFocusEvent* e) {
    CFieldEdit::focusInEvent(e);
    if (m_control)
        m_control->gotFocus();
}

void CTaxEdit::focusOutEvent(QFocusEvent* e) {
    CFieldEdit::focusOutEvent(e);
    if (m_control)
        m_control->lostFocus();
}

void CTaxEdit::ReportText(const std::string& text) {
    if (!m_control)
        return;
    if (HtmlWindow* page = m_control->page())
        page->hideBalloon();
    if (isModified())
        m_control->mirror(&text, -1);
}

void CTaxEdit::AfterClearOverride() {
    if (!m_control)
        return;
    m_control->readValue();
    const std::string text = Text();
    m_control->mirror(&text, -1);
}
