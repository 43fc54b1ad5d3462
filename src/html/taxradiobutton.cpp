#include "html/taxradiobutton.h"

#include "html/htmlwindow.h"
#include "html/taxradiobuttonformcontrol.h"

#include <QKeyEvent>

CTaxRadioButton::CTaxRadioButton(CTaxRadioButtonFormControl* control, HtmlWindow* page,
                                 QWidget* parent)
    : CDIBButton(RadioKind, page, parent), m_control(control) {
    setCheckable(true);
    setAutoExclusive(false);
}

void CTaxRadioButton::nextCheckState() {
    // A click checks; only another radio of the group clears it.
    if (m_control)
        m_control->clicked();
}

void CTaxRadioButton::focusInEvent(QFocusEvent* event) {
    CDIBButton::focusInEvent(event);
    if (m_control)
        m_control->focused();
}

void CTaxRadioButton::keyPressEvent(QKeyEvent* e) {
    if (!m_control || !m_page)
        return CDIBButton::keyPressEvent(e);
    const std::vector<CTaxRadioButtonFormControl*> group = m_control->group();
    const auto it = std::find(group.begin(), group.end(), m_control);
    const std::size_t at = std::size_t(it - group.begin());
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        QWidget* from = back ? group.front()->window() : group.back()->window();
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, back ? 1 : 0,
                        reinterpret_cast<pf::LPARAM>(from));
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, 0,
                        reinterpret_cast<pf::LPARAM>(static_cast<QWidget*>(this)));
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: {
        const bool back = e->key() == Qt::Key_Left || e->key() == Qt::Key_Up;
        const std::size_t n = group.size();
        const std::size_t next = back ? (at + n - 1) % n : (at + 1) % n;
        group[next]->window()->setFocus(Qt::TabFocusReason);
        return;
    }
    default:
        CDIBButton::keyPressEvent(e);
    }
}
