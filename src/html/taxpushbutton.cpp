#include "html/taxpushbutton.h"

#include "html/htmlwindow.h"
#include "html/taxbuttonformcontrol.h"

#include <QKeyEvent>

CTaxPushButton::CTaxPushButton(CTaxButtonFormControl* control, HtmlWindow* page, QWidget* parent)
    : CDIBButton(PushKind, page, parent), m_control(control) {
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_control)
            m_control->click();
    });
}

void CTaxPushButton::focusInEvent(QFocusEvent* event) {
    CDIBButton::focusInEvent(event);
    if (m_control)
        m_control->focused();
}

void CTaxPushButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        pf::sendMessage(m_page, pf::UM_MOVE_FIELD, back ? 1 : 0,
                        reinterpret_cast<pf::LPARAM>(static_cast<QWidget*>(this)));
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        return;
    default:
        CDIBButton::keyPressEvent(e);
    }
}
