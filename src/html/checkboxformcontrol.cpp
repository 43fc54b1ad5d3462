#include "html/checkboxformcontrol.h"

#include "html/htmltokens.h"

#include <QCheckBox>

CCheckBoxFormControl::CCheckBoxFormControl(int token, HtmlDocument* doc, PageForm* form,
                                           const qv::AttributeList& attrs)
    : CFormControl(token, doc, form, attrs),
      m_initial(qv::findAttribute(attrs, qv::att::CHECKED) != nullptr), m_checked(m_initial) {
    if (m_value.empty())
        m_value = "On";
}

QWidget* CCheckBoxFormControl::makeWindow(QWidget* parent) {
    auto* c = new QCheckBox(parent);
    c->setChecked(m_checked);
    QObject::connect(c, &QCheckBox::toggled, c, [this](bool on) { m_checked = on; });
    return c;
}

bool CCheckBoxFormControl::checked() const {
    return m_window ? static_cast<QCheckBox*>(m_window)->isChecked() : m_checked;
}

void CCheckBoxFormControl::setChecked(bool on) {
    m_checked = on;
    if (m_window)
        static_cast<QCheckBox*>(m_window)->setChecked(on);
}

void CCheckBoxFormControl::Reset() {
    setChecked(m_initial);
}

void CCheckBoxFormControl::SizeToFont(pf::Dc&) {
    m_width = m_height = 14;
}

void CCheckBoxFormControl::Print(pf::Dc& dc, int x, int y) {
    printCheck(dc, x, y, checked());
}
