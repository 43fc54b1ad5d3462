#include "html/taxradiobuttonformcontrol.h"

#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "html/pageform.h"
#include "html/taxradiobutton.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <quorva/field.h>

#include <algorithm>

CTaxRadioButtonFormControl::CTaxRadioButtonFormControl(int token, HtmlDocument* doc, PageForm* form,
                                                       const qv::AttributeList& attrs,
                                                       CField* field, CFormCopy* copy)
    : BoundFormControl(token, doc, form, attrs, field, copy),
      m_initial(field ? field->IsSet() != 0
                      : qv::findAttribute(attrs, qv::att::CHECKED) != nullptr),
      m_checked(m_initial) {}

CTaxRadioButtonFormControl::~CTaxRadioButtonFormControl() {
    if (CTaxRadioButton* b = button())
        b->detach();
}

CTaxRadioButton* CTaxRadioButtonFormControl::button() const {
    return static_cast<CTaxRadioButton*>(m_window);
}

QWidget* CTaxRadioButtonFormControl::makeWindow(QWidget* parent) {
    auto* b = new CTaxRadioButton(this, page(), parent);
    b->setStrip(qv::ButtonStrip("IDB_TAXRADIO", std::string(), 2),
                (1u << CDIBButton::Normal) | (1u << CDIBButton::Pressed));
    b->setCaption(attributeText(qv::att::TEXT));
    b->setChecked(m_checked);
    return b;
}

void CTaxRadioButtonFormControl::created() {
    if (CTaxRadioButton* b = button()) {
        const QSize size = b->sizeHint();
        m_width = size.width();
        m_height = size.height();
    }
}

std::vector<CTaxRadioButtonFormControl*> CTaxRadioButtonFormControl::group() const {
    // Consecutive radio windows of the page with this NAME: the group starts where the
    // window made just before is not such a radio.
    std::vector<CTaxRadioButtonFormControl*> all;
    if (!m_doc)
        return {const_cast<CTaxRadioButtonFormControl*>(this)};
    std::vector<CTaxRadioButtonFormControl*> run;
    bool found = false;
    for (CFormControl* c : m_doc->controls()) {
        auto* r = dynamic_cast<CTaxRadioButtonFormControl*>(c);
        if (!c->window())
            continue;
        if (r && !run.empty() && r->name() == run.back()->name()) {
            run.push_back(r);
        } else {
            if (found)
                break;
            run.clear();
            if (r)
                run.push_back(r);
        }
        if (r == this)
            found = true;
    }
    return run;
}

bool CTaxRadioButtonFormControl::checked() const {
    return button() ? button()->isChecked() : m_checked;
}

void CTaxRadioButtonFormControl::setChecked(bool on) {
    m_checked = on;
    if (CTaxRadioButton* b = button())
        b->setChecked(on);
}

void CTaxRadioButtonFormControl::readValue() {
    if (m_field)
        setChecked(m_field->IsSet() != 0);
}

void CTaxRadioButtonFormControl::Reset() {
    if (m_field)
        readValue();
    else
        setChecked(m_initial);
}

void CTaxRadioButtonFormControl::clicked() {
    setChecked(true);
    if (!m_field) {
        if (m_form)
            m_form->radioChecked(this);
        return;
    }
    const auto alive = aliveFlag();
    writeChecked(true);
    if (*alive && page())
        page()->refreshControls();
}

void CTaxRadioButtonFormControl::SizeToFont(pf::Dc& dc) {
    if (m_window)
        return;
    sizeMarkAndCaption(dc);
}

void CTaxRadioButtonFormControl::Print(pf::Dc& dc, int x, int y) {
    printRadio(dc, x, y + (m_height - 14) / 2, checked());
    printCaption(dc, x, y);
}
