#include "html/textareaformcontrol.h"

#include "html/htmltokens.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <QPlainTextEdit>

QWidget* CTextAreaFormControl::makeWindow(QWidget* parent) {
    auto* e = new QPlainTextEdit(parent);
    e->setTabChangesFocus(true);
    e->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return e;
}

void CTextAreaFormControl::textComplete() {
    Reset();
}

void CTextAreaFormControl::Reset() {
    auto* e = static_cast<QPlainTextEdit*>(m_window);
    if (!e)
        return;
    std::string text;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        text += (i ? "\n" : "") + m_lines[i];
    e->setPlainText(pf::toQt(text));
}

std::vector<std::string> CTextAreaFormControl::currentLines() const {
    auto* e = static_cast<QPlainTextEdit*>(m_window);
    if (!e)
        return m_lines;
    std::vector<std::string> lines;
    const QStringList parts = e->toPlainText().split(QLatin1Char('\n'));
    for (const QString& p : parts)
        lines.push_back(pf::fromQt(p));
    return lines;
}

void CTextAreaFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    m_width = numberAttribute(qv::att::COLS, 20) * dc.textExtent("A").cx + 6;
    m_height = numberAttribute(qv::att::ROWS, 2) * dc.textMetrics().height + 6;
}

void CTextAreaFormControl::Print(pf::Dc& dc, int x, int y) {
    printFrame(dc, {x, y, x + m_width, y + m_height}, currentLines(), true);
}
