#include "html/editformcontrol.h"

#include "html/htmltokens.h"
#include "platform/text.h"

#include <QLineEdit>

QWidget* CEditFormControl::makeWindow(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setFrame(true);
    if (const qv::HtmlAttribute* max = attribute(qv::att::MAXLENGTH); max && max->num > 0)
        e->setMaxLength(max->num);
    if (password())
        e->setEchoMode(QLineEdit::Password);
    e->setText(pf::toQt(m_value));
    return e;
}

QLineEdit* CEditFormControl::edit() const {
    return static_cast<QLineEdit*>(m_window);
}

std::string CEditFormControl::text() const {
    return m_window ? pf::fromQt(edit()->text()) : (m_text.empty() ? m_value : m_text);
}

void CEditFormControl::Reset() {
    m_text.clear();
    if (m_window)
        edit()->setText(pf::toQt(m_value));
}

void CEditFormControl::Print(pf::Dc& dc, int x, int y) {
    std::string shown = text();
    if (password())
        shown.assign(shown.size(), '*');
    printFrame(dc, {x, y, x + m_width, y + m_height},
               shown.empty() ? std::vector<std::string>{} : std::vector<std::string>{shown}, false);
}
