#include "html/ulistitem.h"

#include "platform/dc.h"

CUListItem::CUListItem(HtmlDocument* doc, int align, const qv::TextFormat& format,
                       const qv::LinkState& link, std::uint16_t style, int vpos, int depth)
    : CSection(doc, align, format, link, style, vpos) {
    m_depth = depth;
    m_listKind = qv::kBullet;
}

void CUListItem::drawMarker(pf::Dc& dc, int dx, int dy) {
    if (m_plain || m_lines.empty())
        return;
    const Line& line = m_lines.front();
    const int right = line.left - 5 + dx;
    const int cy = line.top + line.height / 2 + dy;
    const pf::COLORREF colour = m_formats.front().format.colour & 0xFFFFFF;
    dc.selectPen({pf::PS_SOLID, 1, colour});
    dc.selectBrush({false, colour});
    dc.ellipse({right - 5, cy - 2, right, cy + 3});
}
