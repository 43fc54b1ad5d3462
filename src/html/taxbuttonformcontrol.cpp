#include "html/taxbuttonformcontrol.h"

#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "html/pageform.h"
#include "html/taxcopylistformcontrol.h"
#include "html/taxpushbutton.h"
#include "interview/question.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <QPointer>

namespace {

QColor attributeColour(const CFormControl& c, int id, QColor fallback) {
    const qv::HtmlAttribute* a = c.attribute(id);
    if (!a || a->text.empty())
        return fallback;
    const qv::Colour colour = qv::parseColour(a->text);
    const pf::COLORREF rgb = colour & 0xFFFFFF;
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

} // namespace

CTaxButtonFormControl::CTaxButtonFormControl(int token, HtmlDocument* doc, PageForm* form,
                                             const qv::AttributeList& attrs, CField* field,
                                             CFormCopy* copy)
    : BoundFormControl(token, doc, form, attrs, field, copy),
      m_script(qv::findAttribute(attrs, qv::att::SCRIPT)
                   ? qv::findAttribute(attrs, qv::att::SCRIPT)->text
                   : std::string()) {}

CTaxButtonFormControl::~CTaxButtonFormControl() {
    if (CTaxPushButton* b = button())
        b->detach();
}

CTaxPushButton* CTaxButtonFormControl::button() const {
    return static_cast<CTaxPushButton*>(m_window);
}

QWidget* CTaxButtonFormControl::makeWindow(QWidget* parent) {
    auto* b = new CTaxPushButton(this, page(), parent);
    unsigned present = (1u << CDIBButton::Normal) | (1u << CDIBButton::Pressed);
    if (attribute(qv::att::ROLLOVER))
        present |= 1u << CDIBButton::Hover;
    if (attribute(qv::att::FOCUS))
        present |= 1u << CDIBButton::Focus;
    if (attribute(qv::att::DISABLE))
        present |= 1u << CDIBButton::Disabled;
    b->setStrip(qv::ButtonStrip(attributeText(qv::att::SRC), m_doc ? m_doc->imageFolder : "",
                                std::popcount(present)),
                present);
    b->setCaption(attributeText(qv::att::TEXT));
    b->setCaptionColours(attributeColour(*this, qv::att::COLOR, QColor(0, 0, 0)),
                         attributeColour(*this, qv::att::ROCOLOR, QColor(128, 0, 0)));
    return b;
}

void CTaxButtonFormControl::created() {
    if (CTaxPushButton* b = button()) {
        const QSize size = b->sizeHint();
        m_width = size.width();
        m_height = size.height();
    }
}

CTaxCopyListFormControl* CTaxButtonFormControl::copyList() const {
    if (!m_form)
        return nullptr;
    for (const auto& c : m_form->controls()) {
        if (auto* list = dynamic_cast<CTaxCopyListFormControl*>(c.get()))
            return list;
    }
    return nullptr;
}

void CTaxButtonFormControl::askQuestion(int module, int form, int copyNumber) {
    HtmlWindow* p = page();
    if (!p || !p->InInterviewView())
        return;
    Question q;
    q.copyContext = {std::uint8_t(module), std::uint16_t(form), std::uint16_t(copyNumber)};
    const std::size_t underscore = m_script.rfind('_');
    q.script = underscore == std::string::npos ? m_script : m_script.substr(0, underscore);
    q.name = underscore == std::string::npos ? std::string() : m_script.substr(underscore + 1);
    pf::sendMessage(p->host(), qv::UM_SHOW_QUESTION, 0, reinterpret_cast<pf::LPARAM>(&q));
}

void CTaxButtonFormControl::click() {
    HtmlWindow* p = page();
    if (!p)
        return;
    // Any notice may make the host load another page, which destroys this control: what the
    // later steps need is copied first, and each step checks that the control is still here.
    const auto alive = aliveFlag();
    const std::string name = m_name;
    const std::string script = m_script;
    QPointer<HtmlWindow> window(p);
    if (m_field) {
        writeChecked(true, false);
        if (*alive && m_window && m_window->hasFocus())
            mirror(nullptr, -1);
        if (*alive)
            p->refreshControls();
    }
    const std::string command = pf::upper(name);
    const bool formCommand =
        command == "DELETEFORM" || command == "REVIEWFORM" || command == "NEWFORM";
    if (*alive && formCommand) {
        if (CTaxCopyListFormControl* list = copyList()) {
            if (command == "DELETEFORM") {
                list->deleteSelected();
            } else if (command == "NEWFORM") {
                askQuestion(list->moduleNumber(), list->formIndex(), 0);
            } else if (const int number = list->selectedCopyNumber(); number > 0) {
                askQuestion(list->moduleNumber(), list->formIndex(), number);
            }
        }
    }
    if (*alive && !formCommand && !script.empty() && m_copy)
        askQuestion(m_doc->moduleNumber(), m_copy->GetFormIndex(), m_copy->GetCopyNumber());
    // The page command goes in every case, also when the page has been replaced meanwhile.
    if (window)
        pf::sendMessage(window->host(), pf::UM_PAGE_COMMAND,
                        reinterpret_cast<pf::WPARAM>(name.c_str()),
                        reinterpret_cast<pf::LPARAM>(script.c_str()));
}

void CTaxButtonFormControl::SizeToFont(pf::Dc& dc) {
    if (m_window)
        return;
    selectControlFont(dc);
    m_width = dc.textExtent(attributeText(qv::att::TEXT)).cx + 20;
    m_height = dc.textMetrics().height + 8;
}

void CTaxButtonFormControl::Print(pf::Dc& dc, int x, int y) {
    const pf::Rect r{x, y, x + m_width, y + m_height};
    printFrame(dc, r, {}, false);
    selectControlFont(dc);
    dc.setBkMode(pf::TRANSPARENT);
    dc.setTextColor(pf::RGB(0, 0, 0));
    pf::Rect inner = r;
    dc.drawText(attributeText(qv::att::TEXT), inner,
                pf::DT_CENTER | pf::DT_VCENTER | pf::DT_SINGLELINE | pf::DT_NOPREFIX);
}
