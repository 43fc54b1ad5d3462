#include "html/taxcheckboxformcontrol.h"

#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "html/taxcheckbox.h"
#include "platform/dc.h"

#include <quorva/field.h>

#include <algorithm>

CTaxCheckBoxFormControl::CTaxCheckBoxFormControl(int token, HtmlDocument* doc, PageForm* form,
                                                 const qv::AttributeList& attrs, CField* field,
                                                 CFormCopy* copy)
    : BoundFormControl(token, doc, form, attrs, field, copy),
      m_initial(field ? field->IsSet() != 0
                      : qv::findAttribute(attrs, qv::att::CHECKED) != nullptr),
      m_checked(m_initial) {
    if (m_value.empty())
        m_value = "On";
}

CTaxCheckBoxFormControl::~CTaxCheckBoxFormControl() {
    if (CTaxCheckBox* b = box())
        b->detach();
}

CTaxCheckBox* CTaxCheckBoxFormControl::box() const {
    return static_cast<CTaxCheckBox*>(m_window);
}

QWidget* CTaxCheckBoxFormControl::makeWindow(QWidget* parent) {
    auto* b = new CTaxCheckBox(this, page(), parent);
    b->setStrip(qv::ButtonStrip("475", std::string(), 4),
                (1u << CDIBButton::Normal) | (1u << CDIBButton::Pressed) |
                    (1u << CDIBButton::Hover) | (1u << CDIBButton::Disabled));
    b->setCaption(attributeText(qv::att::TEXT));
    b->setChecked(m_checked);
    return b;
}

void CTaxCheckBoxFormControl::created() {
    if (CTaxCheckBox* b = box()) {
        const QSize size = b->sizeHint();
        m_width = size.width();
        m_height = size.height();
    }
}

bool CTaxCheckBoxFormControl::checked() const {
    return box() ? box()->isChecked() : m_checked;
}

void CTaxCheckBoxFormControl::setChecked(bool on) {
    m_checked = on;
    if (CTaxCheckBox* b = box())
        b->setChecked(on);
}

void CTaxCheckBoxFormControl::readValue() {
    if (m_field)
        setChecked(m_field->IsSet() != 0);
}

void CTaxCheckBoxFormControl::Reset() {
    if (m_field)
        readValue();
    else
        setChecked(m_initial);
}

void CTaxCheckBoxFormControl::clicked() {
    const bool on = !checked();
    setChecked(on);
    if (!m_field)
        return;
    const auto alive = aliveFlag();
    writeChecked(on);
    if (*alive && page())
        page()->refreshControls();
}

void CTaxCheckBoxFormControl::SizeToFont(pf::Dc& dc) {
    if (m_window)
        return;
    sizeMarkAndCaption(dc);
}

void CTaxCheckBoxFormControl::Print(pf::Dc& dc, int x, int y) {
    printCheck(dc, x, y + (m_height - 14) / 2, checked());
    printCaption(dc, x, y);
}
