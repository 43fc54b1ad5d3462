#include "forms/messageballoon.h"

#include "forms/fieldformat.h"
#include "platform/dialogs.h"
#include "platform/text.h"

#include <quorva/field.h>

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kPadding = 2;

} // namespace

CMessageBalloon::CMessageBalloon(QWidget* page, int id) : QWidget(page), m_page(page) {
    pf::setCtrlId(this, id);
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    if (m_page)
        m_page->installEventFilter(this);
}

std::string CMessageBalloon::EntryErrorMessage(CField& field, int kind, bool interviewTexts) {
    if (interviewTexts && field.GetType() == FT_DATE) {
        switch (kind) {
        case qv::EE_BAD_MONTH:
            return "A month must be between 1 and 12.";
        case qv::EE_BAD_DAY:
            return "A day must be between 1 and 31.";
        case qv::EE_BAD_DATE:
            return "Enter a date as mm/dd/yy.";
        default:
            return "Enter a date as mm/dd/yyyy.";
        }
    }
    return qv::EntryErrorText(field, kind);
}

QRect CMessageBalloon::Placement(const QRect& editor, const QSize& balloon, const QRect& client) {
    int x = editor.left() + (editor.width() - balloon.width()) / 2;
    if (x + balloon.width() > client.right() + 1)
        x = client.right() + 1 - balloon.width();
    if (x < client.left())
        x = client.left();
    int y = editor.bottom() + 1;
    if (y + balloon.height() > client.bottom() + 1)
        y = editor.top() - balloon.height();
    return QRect(QPoint(x, y), balloon);
}

void CMessageBalloon::ShowEntryError(QWidget* editor, CField* field, int kind,
                                     bool interviewTexts) {
    if (!field)
        return;
    ShowText(editor, EntryErrorMessage(*field, kind, interviewTexts));
}

void CMessageBalloon::ShowText(QWidget* editor, const std::string& text) {
    m_text = text;
    if (text.empty() || !editor) {
        Hide();
        return;
    }
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine, pf::toQt(text));
    const QSize size(textSize.width() + 2 * kPadding, textSize.height() + 2 * kPadding);
    QWidget* page = m_page ? m_page : parentWidget();
    const QRect editorRect(editor->mapTo(page, QPoint(0, 0)), editor->size());
    setGeometry(Placement(editorRect, size, page->rect()));
    if (!m_showWithoutFocus && !editor->hasFocus()) {
        hide();
        return;
    }
    raise();
    show();
    update();
    editor->setFocus();
}

void CMessageBalloon::Hide() {
    hide();
}

void CMessageBalloon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette tips = QToolTip::palette();
    painter.fillRect(rect(), tips.color(QPalette::ToolTipBase));
    painter.setPen(tips.color(QPalette::ToolTipText));
    if (m_bordered)
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(font());
    painter.drawText(rect().adjusted(kPadding, kPadding, -kPadding, -kPadding),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, pf::toQt(m_text));
}

bool CMessageBalloon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_page) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
            Hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
