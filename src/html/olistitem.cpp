#include "html/olistitem.h"

#include "platform/dc.h"

COListItem::COListItem(HtmlDocument* doc, int align, const qv::TextFormat& format,
                       const qv::LinkState& link, std::uint16_t style, int vpos, int depth,
                       int number, char type)
    : CUListItem(doc, align, format, link, style, vpos, depth), m_number(number), m_type(type) {
    m_listKind = qv::kNumber;
}

std::string COListItem::markerText() const {
    static const char* const kRoman[] = {"I",    "II",  "III",  "IV",    "V",   "VI",   "VII",
                                         "VIII", "IX",  "X",    "XI",    "XII", "XIII", "XIV",
                                         "XV",   "XVI", "XVII", "XVIII", "XIX", "XX"};
    const int n = m_number;
    std::string s;
    if (m_type == 'A' || m_type == 'a') {
        const int k = n < 1 ? 1 : (n > 26 ? 26 : n);
        s = std::string(1, char((m_type == 'A' ? 'A' : 'a') + k - 1));
    } else if (m_type == 'I' || m_type == 'i') {
        const int k = n < 1 ? 1 : (n > 20 ? 20 : n);
        s = kRoman[k - 1];
        if (m_type == 'i') {
            for (char& c : s)
                c = char(c - 'A' + 'a');
        }
    } else {
        s = std::to_string(n);
    }
    return s + ".";
}

void COListItem::drawMarker(pf::Dc& dc, int dx, int dy) {
    if (m_lines.empty())
        return;
    const Line& line = m_lines.front();
    selectFormat(dc, m_formats.front());
    dc.setTextAlign(pf::TA_RIGHT | pf::TA_BASELINE);
    dc.textOut(line.left - 5 + dx, line.top + line.ascent + dy, markerText());
    dc.setTextAlign(pf::TA_LEFT | pf::TA_TOP);
}
