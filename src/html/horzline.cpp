#include "html/horzline.h"

#include "html/floatmargins.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "platform/dc.h"

CHorzLine::CHorzLine(HtmlDocument* doc, const qv::AttributeList& attrs) : CSectionBase(doc) {
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::SIZE))
        m_size = a->num >= 1 && a->num <= 20 ? a->num : 2;
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::WIDTH)) {
        m_percent = !a->text.empty() && a->text.back() == '%';
        if (!m_percent || (a->num >= 1 && a->num <= 100))
            m_width = a->num > 0 ? a->num : 0;
    }
    if (const qv::HtmlAttribute* a = qv::findAttribute(attrs, qv::att::COLOR))
        m_colour = qv::parseColour(a->text);
}

int CHorzLine::Layout(pf::Dc&, int top, qv::FloatMargins& margins) {
    m_top = top;
    m_height = m_doc->scaled(20) + m_size - 2;
    const int left = margins.leftAt(top, m_height);
    const int right = margins.rightAt(top, m_height);
    int x0 = left + 10, x1 = right - 10;
    if (m_width > 0) {
        const int w = m_percent ? (right - left) * m_width / 100 : m_width;
        x0 = left + (right - left - w) / 2;
        x1 = x0 + w;
    }
    const int y = top + (m_height - m_size) / 2;
    m_rule = {x0, y, x1, y + m_size};
    m_right = x1;
    return m_height;
}

int CHorzLine::Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) {
    // When printing, a rule is drawn only on the page that holds it whole.
    const bool whole = m_top >= visible.top && bottom() <= visible.bottom;
    if (!pf::Rect{m_rule.left, m_top, m_rule.right, bottom()}.intersects(visible) ||
        (m_doc->printing() && !whole))
        return bottom();
    const pf::Rect r{m_rule.left + dx, m_rule.top + dy, m_rule.right + dx, m_rule.bottom + dy};
    if (m_colour != qv::kNoColour)
        dc.fillRect(r, m_colour & 0xFFFFFF);
    else
        m_doc->drawFrame(dc, r, true);
    return bottom();
}

void CHorzLine::Offset(int dx, int dy) {
    CSectionBase::Offset(dx, dy);
    m_rule = {m_rule.left + dx, m_rule.top + dy, m_rule.right + dx, m_rule.bottom + dy};
}
