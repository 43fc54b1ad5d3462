#include "html/formcontrol.h"

#include "html/htmltokens.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <algorithm>

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

std::unique_ptr<CFormControl> CFormControl::create(int token, HtmlDocument* doc, PageForm* form,
                                                   const qv::AttributeList& attrs) {
    return std::make_unique<CFormControl>(token, doc, form, attrs);
}

void CFormControl::addOption(const std::string& text, const std::string& value, bool selected) {
    m_options.push_back({text, value, selected});
}

namespace {
int numAttr(const qv::AttributeList& attrs, int id, int def) {
    const qv::HtmlAttribute* a = qv::findAttribute(attrs, id);
    return a && a->num > 0 ? std::min(a->num, 200) : def;
}
} // namespace

void CFormControl::SizeToFont(pf::Dc& dc) {
    dc.selectFont({-13, pf::FW_NORMAL, false, false, false, pf::DEFAULT_CHARSET, "MS Sans Serif"});
    const pf::TextMetrics tm = dc.textMetrics();
    const int a = dc.textExtent("A").cx;
    switch (m_kind) {
    case qv::tok::SELECT: {
        std::size_t longest = 0;
        for (const Option& o : m_options)
            longest = std::max(longest, o.text.size());
        const int rows = numAttr(m_attrs, qv::att::SIZE, 1);
        const bool list = rows >= 2 || qv::findAttribute(m_attrs, qv::att::MULTIPLE);
        m_width = int(std::min<std::size_t>(longest, 200)) * a + 15 + (list ? 0 : 20);
        m_height = list ? rows * tm.height + 4 : tm.height + 8;
        break;
    }
    case qv::tok::TEXTAREA:
        m_width = numAttr(m_attrs, qv::att::COLS, 20) * a + 6;
        m_height = numAttr(m_attrs, qv::att::ROWS, 2) * tm.height + 6;
        break;
    default:
        if (m_type == "checkbox" || m_type == "check" || m_type == "radio") {
            m_width = m_height = 14;
        } else if (m_type == "submit" || m_type == "reset" || m_type == "button") {
            const std::string caption =
                !m_value.empty() ? m_value : (m_type == "reset" ? "Reset" : "Submit");
            m_width = dc.textExtent(caption).cx + 20;
            m_height = tm.height + 8;
        } else if (!visible()) {
            m_width = m_height = 0;
        } else {
            m_width = numAttr(m_attrs, qv::att::SIZE, 20) * a + 6;
            m_height = tm.height + 6;
        }
    }
}

void CFormControl::Print(pf::Dc& dc, int x, int y) {
    if (!visible())
        return;
    dc.selectPen({pf::PS_SOLID, 1, pf::RGB(0, 0, 0)});
    dc.selectBrush({true, 0});
    const pf::Rect r{x, y, x + m_width, y + m_height};
    if (m_type == "radio")
        dc.ellipse(r);
    else
        dc.rectangle(r);
    std::string text = m_value;
    if (m_kind == qv::tok::SELECT && !m_options.empty())
        text = m_options.front().text;
    if (m_kind == qv::tok::TEXTAREA && !m_lines.empty())
        text = m_lines.front();
    if (m_type != "checkbox" && m_type != "radio" && m_type != "password" && !text.empty()) {
        dc.selectFont(
            {-13, pf::FW_NORMAL, false, false, false, pf::DEFAULT_CHARSET, "MS Sans Serif"});
        dc.setBkMode(pf::TRANSPARENT);
        dc.setTextColor(pf::RGB(0, 0, 0));
        pf::Rect inner{r.left + 3, r.top + 2, r.right - 3, r.bottom - 2};
        dc.drawText(text, inner,
                    pf::DT_LEFT | pf::DT_VCENTER | pf::DT_SINGLELINE | pf::DT_NOPREFIX);
    }
}
