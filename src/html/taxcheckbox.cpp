#include "html/taxcheckbox.h"

#include "html/htmlwindow.h"
#include "html/taxcheckboxformcontrol.h"

#include <QKeyEvent>

CTaxCheckBox::CTaxCheckBox(CTaxCheckBoxFormControl* control, HtmlWindow* page, QWidget* parent)
    : CDIBButton(CheckKind, page, parent), m_control(control) {
    setCheckable(true);
}

void CTaxCheckBox::nextCheckState() {
    if (m_control)
        m_control->clicked();
}

void CTaxCheckBox::focusInEvent(QFocusEvent* event) {
    CDIBButton::focusInEvent(event);
    if (m_control)
        m_control->focused();
}

void CTaxCheckBox::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const bool back = e->key() == Qt::Key_Backtab ||
                          (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier));
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, back ? 1 : 0,
                        reinterpret_cast<pf::LPARAM>(static_cast<QWidget*>(this)));
        return;
    }
    default:
        CDIBButton::keyPressEvent(e);
    }
}
