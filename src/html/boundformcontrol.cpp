#include "html/boundformcontrol.h"

#include "html/fieldreference.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "platform/dc.h"
#include "platform/messages.h"
#include "platform/text.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QApplication>
#include <QCursor>

#include <algorithm>
#include <cstdlib>

qv::BoundFormControl::BoundFormControl(int token, HtmlDocument* doc, PageForm* form,
                                       const AttributeList& attrs, CField* field, CFormCopy* copy)
    : CFormControl(token, doc, form, attrs), m_field(field), m_copy(copy) {}

qv::BoundFormControl::~BoundFormControl() {
    *m_alive = false;
}

int qv::BoundFormControl::formIndex() const {
    return m_copy ? m_copy->GetFormIndex() : 0;
}

HtmlWindow* qv::BoundFormControl::page() const {
    return m_doc ? m_doc->window : nullptr;
}

void qv::BoundFormControl::markChanged() {
    if (!m_copy)
        return;
    if (!m_copy->TestFlag(CF_NOTMODIFYING) && !(m_field && m_field->TestFlag(FF_NOTMODIFYING))) {
        if (HtmlWindow* p = page())
            p->MarkReturnModified();
    }
    m_copy->SetCopyFlag(CF_CHANGED, 1);
}

void qv::BoundFormControl::writeChecked(bool on, bool sendMirror) {
    if (!m_field)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_field->SetChecked(on ? 1 : 0);
    if (on && m_field->GetType() == FT_OPTION && m_copy &&
        m_copy->GetOptionGroup(m_field->GetFieldNumber()) != 0)
        m_copy->SelectOption(m_field->GetFieldNumber());
    markChanged();
    m_field->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
    m_field->Refresh();
    QApplication::restoreOverrideCursor();
    if (sendMirror)
        mirror(nullptr, -1);
}

void qv::BoundFormControl::mirror(const std::string* text, int choice) {
    HtmlWindow* p = page();
    if (!p)
        return;
    PageMirrorText m{formIndex(), m_field, text, choice};
    pf::sendMessage(p->host(), pf::UM_MIRROR_TEXT, 0, reinterpret_cast<pf::LPARAM>(&m));
}

void qv::BoundFormControl::focused() {
    if (!m_doc || !m_field)
        return;
    m_doc->focusCopy = m_copy;
    m_doc->focusField = m_field->GetFieldNumber();
    HtmlWindow* p = page();
    if (p && m_copy && m_copy == m_doc->currentCopy())
        pf::sendMessage(p->host(), pf::UM_GOTO_FIELD, pf::WPARAM(m_field->GetFieldNumber()),
                        pf::LPARAM(m_copy->GetFormIndex()));
}

void qv::BoundFormControl::sizeMarkAndCaption(pf::Dc& dc) {
    selectControlFont(dc);
    const std::string caption = attributeText(qv::att::TEXT);
    m_width =
        13 + (caption.empty() ? 0 : dc.textExtent(caption).cx + dc.textMetrics().aveCharWidth + 4);
    m_height = std::max(13, dc.textMetrics().height);
}

void qv::BoundFormControl::printCaption(pf::Dc& dc, int x, int y) {
    const std::string caption = attributeText(qv::att::TEXT);
    if (caption.empty())
        return;
    selectControlFont(dc);
    dc.setBkMode(pf::TRANSPARENT);
    dc.setTextColor(pf::RGB(0, 0, 0));
    pf::Rect r{x + 18, y, x + std::max(m_width, 18), y + m_height};
    dc.drawText(caption, r, pf::DT_LEFT | pf::DT_VCENTER | pf::DT_SINGLELINE | pf::DT_NOPREFIX);
}

CField* qv::ResolvePageField(HtmlDocument& doc, const std::string& reference, CFormCopy** copyOut) {
    CFormManager* fm = doc.formManager();
    if (!fm)
        return nullptr;
    FieldReference ref;
    if (!ParseFieldReference(pf::upper(reference), ref))
        return nullptr;
    const int form = fm->FindForm(ref.form.c_str());
    const int number = form ? fm->FindField(form, ref.field.c_str(), ref.element) : 0;
    if (!number)
        return nullptr;
    CFormCopy* copy = nullptr;
    if (ref.copy.empty()) {
        CFormCopy* current = doc.currentCopy();
        copy =
            current ? fm->FindFormCopy(form, current->GetCopyNumber()) : fm->GetFormCopy(form, 1);
    } else {
        const int n = std::atoi(ref.copy.c_str());
        copy = fm->GetFormCopy(form, n == 0 ? 1 : n);
    }
    CField* field = copy ? copy->GetField(number) : nullptr;
    if (field && copyOut)
        *copyOut = copy;
    return field;
}
