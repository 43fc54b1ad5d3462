#include "html/formcontrol.h"

#include "html/boundcontrolfactory.h"
#include "html/buttonformcontrol.h"
#include "html/checkboxformcontrol.h"
#include "html/comboformcontrol.h"
#include "html/controlkeyhook.h"
#include "html/editformcontrol.h"
#include "html/hiddenformcontrol.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/htmlwindow.h"
#include "html/imageformcontrol.h"
#include "html/listboxformcontrol.h"
#include "html/radiobuttonformcontrol.h"
#include "html/textareaformcontrol.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <set>

CFormControl::CFormControl(int token, HtmlDocument* doc, PageForm* form,
                           const qv::AttributeList& attrs)
    : m_kind(token), m_doc(doc), m_form(form), m_attrs(attrs) {
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::TYPE))
        m_type = pf::lower(a->text);
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::NAME))
        m_name = a->text;
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::VALUE))
        m_value = a->text;
}

CFormControl::~CFormControl() {
    // The window may be inside one of its own handlers (a click that loads another page):
    // it goes once the event loop is back, hidden and cut off from this object at once.
    if (m_window) {
        // Nothing the window or its parts send may reach this object any more; the key
        // filters find their control through the property and stop with it. Only then is it
        // hidden, which sends events of its own.
        m_window->setProperty("qvControl", QVariant());
        m_window->disconnect();
        for (QObject* child : m_window->findChildren<QObject*>())
            child->disconnect();
        m_window->hide();
        m_window->deleteLater();
    }
}

std::string CFormControl::attributeText(int id) const {
    const qv::HtmlAttribute* a = attribute(id);
    return a ? a->text : std::string();
}

int CFormControl::numberAttribute(int id, int fallback) const {
    const qv::HtmlAttribute* a = attribute(id);
    return a && a->num > 0 ? std::min(a->num, 200) : fallback;
}

namespace {

std::unique_ptr<CFormControl> makePlain(int token, HtmlDocument* doc, PageForm* form,
                                        const qv::AttributeList& attrs) {
    if (token == qv::tok::SELECT) {
        const qv::HtmlAttribute* size = qv::findAttribute(attrs, qv::att::SIZE);
        if (qv::findAttribute(attrs, qv::att::MULTIPLE) || (size && size->num >= 2))
            return std::make_unique<CListBoxFormControl>(token, doc, form, attrs);
        return std::make_unique<CComboFormControl>(token, doc, form, attrs);
    }
    if (token == qv::tok::TEXTAREA)
        return std::make_unique<CTextAreaFormControl>(token, doc, form, attrs);
    const qv::HtmlAttribute* t = qv::findAttribute(attrs, qv::att::TYPE);
    const std::string type = t ? pf::lower(t->text) : std::string();
    if (type == "submit" || type == "reset")
        return std::make_unique<CButtonFormControl>(token, doc, form, attrs);
    if (type == "radio")
        return std::make_unique<CRadioButtonFormControl>(token, doc, form, attrs);
    if (type == "checkbox")
        return std::make_unique<CCheckBoxFormControl>(token, doc, form, attrs);
    if (type == "hidden")
        return std::make_unique<CHiddenFormControl>(token, doc, form, attrs);
    if (type == "image")
        return std::make_unique<CImageFormControl>(token, doc, form, attrs);
    return std::make_unique<CEditFormControl>(token, doc, form, attrs);
}

} // namespace

std::unique_ptr<CFormControl> CFormControl::create(int token, HtmlDocument* doc, PageForm* form,
                                                   const qv::AttributeList& attrs) {
    std::unique_ptr<CFormControl> control;
    bool handled = false;
    if (token == qv::tok::INPUT)
        control = qv::CreateBoundControl(doc, form, attrs, &handled);
    if (!handled)
        control = makePlain(token, doc, form, attrs);
    if (!control)
        return nullptr;
    if (doc && doc->window) {
        if (QWidget* w = control->makeWindow(doc->window->viewport()))
            control->adoptWindow(w);
    }
    control->created();
    if (token == qv::tok::INPUT && control->m_window) {
        if (control->attribute(qv::att::SETFOCUS))
            doc->initialFocus = control.get();
        if (control->attribute(qv::att::DISABLED))
            control->m_window->setEnabled(false);
    }
    return control;
}

void CFormControl::adoptWindow(QWidget* window) {
    m_window = window;
    QWidget* parent = window->parentWidget();
    // The first child id from 100 that no sibling uses.
    std::set<int> used;
    if (parent) {
        for (QObject* o : parent->children()) {
            const QVariant id = o->property("controlId");
            if (id.isValid())
                used.insert(id.toInt());
        }
    }
    int id = 100;
    while (used.count(id))
        ++id;
    window->setProperty("controlId", id);
    window->setProperty("qvControl", QVariant::fromValue(static_cast<void*>(this)));
    window->setFocusPolicy(window->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::StrongFocus);
    window->setGeometry(-1000, -1000, std::max(1, m_width), std::max(1, m_height));
    window->hide();
    if (m_doc && m_doc->window && usesKeyHook())
        window->installEventFilter(new qv::ControlKeyHook(m_doc->window, window));
}

CFormControl* CFormControl::fromWindow(const QWidget* window) {
    if (!window)
        return nullptr;
    const QVariant v = window->property("qvControl");
    return v.isValid() ? static_cast<CFormControl*>(v.value<void*>()) : nullptr;
}

void CFormControl::addOption(const std::string& text, const std::string& value, bool selected) {
    m_options.push_back({text, value, selected});
}

void CFormControl::selectControlFont(pf::Dc& dc) {
    dc.selectFont({-13, pf::FW_NORMAL, false, false, false, pf::DEFAULT_CHARSET, "MS Sans Serif"});
}

void CFormControl::SizeToFont(pf::Dc& dc) {
    selectControlFont(dc);
    const pf::TextMetrics tm = dc.textMetrics();
    m_width = numberAttribute(qv::att::SIZE, 20) * dc.textExtent("A").cx + 6;
    m_height = tm.height + 6;
}

void CFormControl::Print(pf::Dc& dc, int x, int y) {
    printFrame(dc, {x, y, x + m_width, y + m_height}, {}, false);
}

void CFormControl::printFrame(pf::Dc& dc, const pf::Rect& r, const std::vector<std::string>& lines,
                              bool wrap) {
    dc.selectPen({pf::PS_SOLID, 1, pf::RGB(0, 0, 0)});
    dc.selectBrush({true, 0});
    dc.rectangle(r);
    if (lines.empty())
        return;
    selectControlFont(dc);
    dc.setBkMode(pf::TRANSPARENT);
    dc.setTextColor(pf::RGB(0, 0, 0));
    const int lineHeight = dc.textMetrics().height;
    pf::Rect inner{r.left + 3, r.top + 2, r.right - 3, r.bottom - 2};
    if (lines.size() == 1 && !wrap) {
        dc.drawText(lines.front(), inner,
                    pf::DT_LEFT | pf::DT_VCENTER | pf::DT_SINGLELINE | pf::DT_NOPREFIX);
        return;
    }
    for (const std::string& line : lines) {
        if (inner.top >= inner.bottom)
            break;
        pf::Rect room = inner;
        const int used = dc.drawText(
            line, room, pf::DT_LEFT | pf::DT_NOPREFIX | (wrap ? unsigned(pf::DT_WORDBREAK) : 0u));
        inner.top += std::max(used, lineHeight);
    }
}

void CFormControl::printCheck(pf::Dc& dc, int x, int y, bool checked) {
    dc.selectPen({pf::PS_SOLID, 1, pf::RGB(0, 0, 0)});
    dc.selectBrush({true, 0});
    dc.rectangle({x, y, x + 14, y + 14});
    if (!checked)
        return;
    dc.selectPen({pf::PS_SOLID, 2, pf::RGB(0, 0, 0)});
    dc.moveTo(x + 3, y + 7);
    dc.lineTo(x + 6, y + 10);
    dc.lineTo(x + 11, y + 3);
}

void CFormControl::printRadio(pf::Dc& dc, int x, int y, bool checked) {
    dc.selectPen({pf::PS_SOLID, 1, pf::RGB(0, 0, 0)});
    dc.selectBrush({true, 0});
    dc.ellipse({x, y, x + 14, y + 14});
    if (!checked)
        return;
    dc.selectBrush({false, pf::RGB(0, 0, 0)});
    dc.ellipse({x + 4, y + 4, x + 10, y + 10});
}
