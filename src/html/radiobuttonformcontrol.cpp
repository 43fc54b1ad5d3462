#include "html/radiobuttonformcontrol.h"

#include "html/htmltokens.h"
#include "html/pageform.h"

#include <QRadioButton>

CRadioButtonFormControl::CRadioButtonFormControl(int token, HtmlDocument* doc, PageForm* form,
                                                 const qv::AttributeList& attrs)
    : CFormControl(token, doc, form, attrs),
      m_initial(qv::findAttribute(attrs, qv::att::CHECKED) != nullptr), m_checked(m_initial) {}

QWidget* CRadioButtonFormControl::makeWindow(QWidget* parent) {
    auto* r = new QRadioButton(parent);
    // Exclusivity is by form and NAME, not by parent window.
    r->setAutoExclusive(false);
    r->setChecked(m_checked);
    QObject::connect(r, &QRadioButton::toggled, r, [this](bool on) {
        m_checked = on;
        if (on && m_form)
            m_form->radioChecked(this);
    });
    return r;
}

bool CRadioButtonFormControl::checked() const {
    return m_window ? static_cast<QRadioButton*>(m_window)->isChecked() : m_checked;
}

void CRadioButtonFormControl::setChecked(bool on) {
    m_checked = on;
    if (m_window)
        static_cast<QRadioButton*>(m_window)->setChecked(on);
    else if (on && m_form)
        m_form->radioChecked(this);
}

void CRadioButtonFormControl::Reset() {
    setChecked(m_initial);
}

void CRadioButtonFormControl::SizeToFont(pf::Dc&) {
    m_width = m_height = 14;
}

void CRadioButtonFormControl::Print(pf::Dc& dc, int x, int y) {
    printRadio(dc, x, y, checked());
}
