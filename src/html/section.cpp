#include "html/section.h"

#include "html/floatmargins.h"
#include "html/formcontrol.h"
#include "html/htmldocument.h"
#include "html/htmltokens.h"
#include "html/imagemap.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <QImage>

#include <algorithm>
#include <iterator>

namespace {

pf::LogFont logFontOf(const qv::TextFormat& f) {
    pf::LogFont lf;
    lf.height = f.fontHeight();
    lf.weight = (f.style & qv::kBold) ? pf::FW_BOLD : pf::FW_NORMAL;
    lf.italic = (f.style & qv::kItalic) != 0;
    lf.underline = (f.style & qv::kUnderline) != 0;
    lf.strikeOut = (f.style & qv::kStrike) != 0;
    lf.faceName = f.face;
    return lf;
}

bool isBreak(char c) {
    return c == ' ' || c == CSection::kObjectMarker || c == CSection::kBreakMarker;
}

const pf::LogFont kPlaceholderFont{-11,   pf::FW_NORMAL,       false,  false,
                                   false, pf::DEFAULT_CHARSET, "Arial"};

} // namespace

CSection::CSection(HtmlDocument* doc, int align, const qv::TextFormat& format,
                   const qv::LinkState& link, std::uint16_t style, int vpos)
    : CSectionBase(doc), m_align(align) {
    markFormat(format, style, vpos);
    if (link.number)
        m_links.push_back({0, link});
}

void CSection::AddText(const std::string& text) {
    if (m_text.size() >= kMaxText)
        return;
    const std::size_t room = kMaxText - m_text.size();
    std::string add = text.substr(0, room);
    // Marker characters belong to objects; text never carries them.
    for (char& c : add) {
        if (c == kObjectMarker || c == kBreakMarker)
            c = ' ';
    }
    m_text += add;
}

void CSection::markFormat(const qv::TextFormat& format, std::uint16_t style, int vpos) {
    FormatRun run;
    run.start = int(m_text.size());
    run.format = format;
    run.format.style = std::uint16_t(format.style | style);
    run.vpos = vpos;
    if (!m_formats.empty() && m_formats.back().start == run.start) {
        m_formats.back() = std::move(run);
        return;
    }
    if (!m_formats.empty() && m_formats.back().format == run.format &&
        m_formats.back().vpos == run.vpos)
        return;
    m_formats.push_back(std::move(run));
}

void CSection::markLink(const qv::LinkState& link) {
    const int pos = int(m_text.size());
    if (!m_links.empty() && m_links.back().start == pos)
        m_links.back().link = link;
    else
        m_links.push_back({pos, link});
}

void CSection::addImage(const qv::AttributeList& attrs, int link) {
    if (m_text.size() >= kMaxText)
        return;
    auto img = std::make_unique<Image>();
    img->link = link;
    for (const qv::HtmlAttribute& a : attrs) {
        switch (a.id) {
        case qv::att::SRC:
            img->src = a.text;
            break;
        case qv::att::ALT:
            img->alt = a.text;
            break;
        case qv::att::TEXT:
            img->caption = a.text;
            break;
        case qv::att::ALIGN: {
            const std::string v = pf::upper(a.text);
            if (v == "TOP")
                img->align = kImgTop;
            else if (v == "MIDDLE" || v == "ABSMIDDLE")
                img->align = kImgMiddle;
            else if (v == "LEFT")
                img->align = kImgLeft;
            else if (v == "RIGHT")
                img->align = kImgRight;
            break;
        }
        case qv::att::WIDTH:
            img->width = std::clamp(a.num, 0, 4000);
            break;
        case qv::att::HEIGHT:
            img->height = std::clamp(a.num, 0, 4000);
            break;
        case qv::att::HSPACE:
            img->hspace = std::min(20, a.num < 0 ? -std::max(a.num, -20) : a.num);
            break;
        case qv::att::TRANSP:
            img->transparent = a.num != 0;
            break;
        case qv::att::TRANSPCOLOR: {
            const qv::Colour c = qv::parseColour(a.text);
            if (c != qv::kNoColour) {
                img->transpColour = c;
                img->transparent = true;
            }
            break;
        }
        case qv::att::USEMAP: {
            std::string m = pf::upper(a.text);
            while (!m.empty() && m.front() == ' ')
                m.erase(m.begin());
            while (!m.empty() && m.back() == ' ')
                m.pop_back();
            if (m.size() > 1 && m.front() == '#')
                m.erase(m.begin());
            img->map = m;
            break;
        }
        case qv::att::ISMAP:
            img->ismap = true;
            break;
        default:
            break;
        }
    }
    Object obj;
    obj.pos = int(m_text.size());
    obj.image = std::move(img);
    m_objects.push_back(std::move(obj));
    m_text += kObjectMarker;
}

void CSection::addControl(CFormControl* control) {
    if (m_text.size() >= kMaxText)
        return;
    Object obj;
    obj.pos = int(m_text.size());
    obj.control = control;
    m_objects.push_back(std::move(obj));
    m_text += kObjectMarker;
}

int CSection::formatAt(int pos) const {
    auto it = std::upper_bound(m_formats.begin(), m_formats.end(), pos,
                               [](int p, const FormatRun& r) { return p < r.start; });
    return it == m_formats.begin() ? 0 : int(it - m_formats.begin()) - 1;
}

int CSection::linkAt(int pos) const {
    // Link runs are in buffer order; the last one starting at or before pos decides.
    auto it = std::upper_bound(m_links.begin(), m_links.end(), pos,
                               [](int p, const LinkRun& r) { return p < r.start; });
    return it == m_links.begin() ? 0 : std::prev(it)->link.number;
}

const CSection::Object* CSection::objectAt(int pos) const {
    auto it = std::lower_bound(m_objects.begin(), m_objects.end(), pos,
                               [](const Object& o, int p) { return o.pos < p; });
    return it != m_objects.end() && it->pos == pos ? &*it : nullptr;
}

void CSection::selectFormat(pf::Dc& dc, const FormatRun& run) const {
    dc.selectFont(logFontOf(run.format));
    dc.setTextColor(run.format.colour & 0xFFFFFF);
    dc.setBkMode(pf::TRANSPARENT);
}

void CSection::measureFormats(pf::Dc& dc) {
    for (FormatRun& run : m_formats) {
        if (!run.metrics) {
            dc.selectFont(logFontOf(run.format));
            run.metrics = dc.fontMetrics();
        }
    }
}

void CSection::measureObjects(pf::Dc& dc) {
    for (Object& o : m_objects) {
        if (o.control) {
            o.control->SizeToFont(dc);
            o.w = o.control->width();
            o.h = o.control->height();
            continue;
        }
        Image& img = *o.image;
        const QImage* picture = m_doc ? m_doc->image(img.src) : nullptr;
        o.loaded = picture != nullptr;
        if (picture) {
            o.w = picture->width();
            o.h = picture->height();
        } else if (img.width > 0 && img.height > 0) {
            o.w = img.width;
            o.h = img.height;
        } else {
            dc.selectFont(kPlaceholderFont);
            const pf::Extent e = dc.textExtent(img.alt);
            o.w = img.alt.empty() ? 24 : e.cx + 26;
            o.h = std::max(24, e.cy);
        }
    }
}

int CSection::charWidth(int pos, int run) const {
    const char c = m_text[std::size_t(pos)];
    if (c == kObjectMarker) {
        const Object* o = objectAt(pos);
        if (!o || (o->image && (o->image->align == kImgLeft || o->image->align == kImgRight)))
            return 0;
        return o->w;
    }
    if (c == kBreakMarker)
        return 0;
    return m_formats[std::size_t(run)].metrics->widths[static_cast<unsigned char>(c)];
}

int CSection::Layout(pf::Dc& dc, int top, qv::FloatMargins& margins) {
    m_top = top;
    m_lines.clear();
    m_right = 0;
    margins.setDepth(m_depth, top);
    measureFormats(dc);
    measureObjects(dc);

    int floatBottom = top;
    for (Object& o : m_objects) {
        if (!o.image || (o.image->align != kImgLeft && o.image->align != kImgRight))
            continue;
        const int w = o.w + o.image->hspace;
        if (o.image->align == kImgLeft) {
            o.x = margins.addLeft(top, w, o.h);
        } else {
            o.x = margins.addRight(top, w, o.h) + o.image->hspace;
        }
        o.y = top;
        m_right = std::max(m_right, o.x + o.w);
        floatBottom = std::max(floatBottom, top + o.h);
    }

    int y = top;
    if (m_clear)
        y = std::max(y, margins.clearBelow(m_clear));

    const int n = int(m_text.size());
    int pos = 0;
    while (pos < n) {
        int left = margins.leftAt(y);
        int right = margins.rightAt(y);
        int avail = wraps() ? right - left : 32000;
        // Measure what fits.
        int run = formatAt(pos);
        int w = 0;
        int cut = pos;
        while (cut < n) {
            while (run + 1 < int(m_formats.size()) && m_formats[std::size_t(run) + 1].start <= cut)
                ++run;
            const int cw = charWidth(cut, run);
            if (w + cw > avail && cut > pos)
                break;
            if (w + cw > avail && cut == pos && wraps()) {
                break;
            }
            w += cw;
            ++cut;
        }
        if (cut < n) {
            // Floats leave too little room for the next word: go below the nearest one.
            int wordEnd = pos;
            while (wordEnd < n && !isBreak(m_text[std::size_t(wordEnd)]))
                ++wordEnd;
            if (wordEnd > cut &&
                (left > margins.baseLeft() + margins.depth() * qv::FloatMargins::kIndent ||
                 right < margins.baseRight())) {
                const int below = margins.nextBottom(y);
                if (below > y) {
                    y = below;
                    continue;
                }
            }
            const char before = cut > pos ? m_text[std::size_t(cut) - 1] : 0;
            const char at = m_text[std::size_t(cut)];
            if (before == ' ' || at == ' ') {
                while (cut < n && m_text[std::size_t(cut)] == ' ')
                    ++cut;
            } else if (at == kObjectMarker || at == kBreakMarker) {
                // the line ends before the object
            } else {
                int back = cut;
                while (back > pos && !isBreak(m_text[std::size_t(back) - 1]))
                    --back;
                if (back > pos) {
                    cut = back;
                } else {
                    // One long word: it overflows instead of being split.
                    while (cut < n && !isBreak(m_text[std::size_t(cut)]))
                        ++cut;
                    while (cut < n && m_text[std::size_t(cut)] == ' ')
                        ++cut;
                }
            }
            if (cut == pos)
                ++cut;
        }
        // The line's metrics.
        Line line;
        line.start = pos;
        line.length = cut - pos;
        int ascent = 0, descent = 0, lineHeight = 0;
        int textAscent = 0;
        run = formatAt(pos);
        for (int r = run; r < int(m_formats.size()) && m_formats[std::size_t(r)].start < cut; ++r) {
            const pf::FontMetrics& m = *m_formats[std::size_t(r)].metrics;
            ascent = std::max(ascent, m.ascent);
            textAscent = std::max(textAscent, m.ascent);
            descent = std::max(descent, m.descent);
            lineHeight = std::max(lineHeight, m.height + m.externalLeading);
        }
        for (const Object& o : m_objects) {
            if (o.pos < pos || o.pos >= cut ||
                (o.image && (o.image->align == kImgLeft || o.image->align == kImgRight)))
                continue;
            const int align = o.image ? o.image->align : kImgBottom;
            if (align == kImgTop) {
                descent = std::max(descent, o.h - ascent);
            } else if (align == kImgMiddle) {
                const int up = (o.h + textAscent) / 2;
                ascent = std::max(ascent, up);
                descent = std::max(descent, o.h - up);
            } else {
                ascent = std::max(ascent, o.h);
            }
        }
        line.ascent = ascent;
        line.height = std::max(lineHeight, ascent + descent);
        // Width without the spaces that end the line, for alignment.
        int width = 0, trimmed = 0;
        run = formatAt(pos);
        for (int i = pos; i < cut; ++i) {
            while (run + 1 < int(m_formats.size()) && m_formats[std::size_t(run) + 1].start <= i)
                ++run;
            width += charWidth(i, run);
            if (m_text[std::size_t(i)] != ' ')
                trimmed = width;
        }
        left = margins.leftAt(y, line.height);
        right = margins.rightAt(y, line.height);
        const int free = wraps() ? std::max(0, right - left - trimmed) : 0;
        line.left = left + (m_align == qv::kAlignCenter  ? free / 2
                            : m_align == qv::kAlignRight ? free
                                                         : 0);
        line.width = trimmed;
        line.top = y;
        // Inline objects.
        int x = line.left;
        run = formatAt(pos);
        for (int i = pos; i < cut; ++i) {
            while (run + 1 < int(m_formats.size()) && m_formats[std::size_t(run) + 1].start <= i)
                ++run;
            if (m_text[std::size_t(i)] == kObjectMarker) {
                auto it = std::lower_bound(m_objects.begin(), m_objects.end(), i,
                                           [](const Object& o, int p) { return o.pos < p; });
                if (it != m_objects.end() && it->pos == i &&
                    !(it->image &&
                      (it->image->align == kImgLeft || it->image->align == kImgRight))) {
                    const int align = it->image ? it->image->align : kImgBottom;
                    it->x = x;
                    it->y = align == kImgTop      ? y
                            : align == kImgMiddle ? y + line.ascent - (it->h + textAscent) / 2
                                                  : y + line.ascent - it->h;
                }
            }
            x += charWidth(i, run);
        }
        m_lines.push_back(line);
        m_right = std::max(m_right, line.left + std::max(line.width, 0));
        y += line.height;
        pos = cut;
    }
    m_height = std::max(y, floatBottom) - top;
    for (const Object& o : m_objects) {
        if (o.control)
            m_height = std::max(m_height, o.y + o.h - top);
    }
    return m_height;
}

void CSection::GetMinMaxWidth(pf::Dc& dc, int& minimum, int& maximum) {
    measureFormats(dc);
    measureObjects(dc);
    minimum = maximum = 0;
    int word = 0, line = 0, floats = 0;
    int run = 0;
    const int n = int(m_text.size());
    for (int i = 0; i < n; ++i) {
        while (run + 1 < int(m_formats.size()) && m_formats[std::size_t(run) + 1].start <= i)
            ++run;
        const char c = m_text[std::size_t(i)];
        const int cw = charWidth(i, run);
        if (c == kObjectMarker) {
            const Object* o = objectAt(i);
            if (o && o->image && (o->image->align == kImgLeft || o->image->align == kImgRight)) {
                floats += o->w + o->image->hspace;
                minimum = std::max(minimum, o->w + o->image->hspace);
            }
        }
        if (c == ' ' && wraps()) {
            minimum = std::max(minimum, word);
            word = 0;
        } else if (isBreak(c) && wraps()) {
            minimum = std::max(minimum, std::max(word, cw));
            word = 0;
        } else {
            word += cw;
        }
        line += cw;
    }
    // Spaces at the end of the text take no room.
    int trailing = 0;
    for (int i = n - 1; i >= 0 && m_text[std::size_t(i)] == ' '; --i)
        trailing += m_formats[std::size_t(formatAt(i))].metrics->widths[int(' ')];
    minimum = std::max(minimum, wraps() ? word : line - trailing);
    maximum = std::max(minimum, line - trailing + floats);
    const int indent = m_depth * qv::FloatMargins::kIndent;
    minimum += indent;
    maximum += indent;
}

int CSection::Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) {
    if (m_lines.empty() && m_objects.empty())
        return bottom();
    if (!pf::Rect{-100000, m_top, 100000, bottom()}.intersects(visible) && m_objects.empty())
        return bottom();
    bool markerDrawn = false;
    const int focused = m_doc ? m_doc->focusedLink() : 0;
    for (const Line& line : m_lines) {
        if (line.top >= visible.bottom || line.top + line.height <= visible.top)
            continue;
        if (&line == &m_lines.front()) {
            drawMarker(dc, dx, dy);
            markerDrawn = true;
        }
        int x = line.left;
        const int end = line.start + line.length;
        int i = line.start;
        pf::Rect focusRect{0, 0, 0, 0};
        while (i < end) {
            const int run = formatAt(i);
            const int link = linkAt(i);
            int j = i;
            int w = 0;
            std::string segment;
            while (j < end && formatAt(j) == run && linkAt(j) == link &&
                   m_text[std::size_t(j)] != kObjectMarker &&
                   m_text[std::size_t(j)] != kBreakMarker) {
                segment += m_text[std::size_t(j)];
                w += charWidth(j, run);
                ++j;
            }
            if (j == i) {
                // An object marker (its object is drawn below) or a break marker.
                const int cw = charWidth(i, run);
                if (link && link == focused)
                    focusRect =
                        focusRect.empty()
                            ? pf::Rect{x, line.top, x + cw, line.top + line.height}
                            : pf::Rect{focusRect.left, line.top, x + cw, line.top + line.height};
                x += cw;
                ++i;
                continue;
            }
            const FormatRun& f = m_formats[std::size_t(run)];
            selectFormat(dc, f);
            dc.setTextAlign(pf::TA_LEFT | pf::TA_BASELINE);
            int baseline = line.top + line.ascent;
            if (f.vpos == qv::kSubscript)
                baseline += f.metrics->ascent / 3;
            else if (f.vpos == qv::kSuperscript)
                baseline -= f.metrics->ascent / 3;
            // Spaces that end a line are not drawn, so underlines stop at the last word.
            std::string shown = segment;
            if (j == end) {
                while (!shown.empty() && shown.back() == ' ')
                    shown.pop_back();
            }
            if (!shown.empty())
                dc.textOut(x + dx, baseline + dy, shown);
            if (link && link == focused) {
                const pf::Rect r{x, line.top, x + w, line.top + line.height};
                focusRect =
                    focusRect.empty() ? r : pf::Rect{focusRect.left, r.top, r.right, r.bottom};
            }
            x += w;
            i = j;
        }
        if (!focusRect.empty()) {
            dc.selectPen({pf::PS_DOT, 1, pf::RGB(0, 0, 0)});
            dc.selectBrush({true, 0});
            dc.rectangle({focusRect.left - 1 + dx, focusRect.top + dy, focusRect.right + 1 + dx,
                          focusRect.bottom + dy});
        }
    }
    (void)markerDrawn;
    dc.setTextAlign(pf::TA_LEFT | pf::TA_TOP);
    for (const Object& o : m_objects) {
        const pf::Rect box{o.x, o.y, o.x + o.w, o.y + o.h};
        if (!box.intersects(visible) || box.empty())
            continue;
        const pf::Rect r{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
        if (o.control) {
            // On screen a control with a window draws itself.
            if (!o.control->window() || (m_doc && m_doc->printing()))
                o.control->Print(dc, r.left, r.top);
            continue;
        }
        const Image& img = *o.image;
        const QImage* picture = o.loaded && m_doc ? m_doc->image(img.src) : nullptr;
        if (picture) {
            dc.drawImage(r, *picture,
                         img.transparent ? (img.transpColour & 0xFFFFFF) : pf::CLR_INVALID);
        } else {
            m_doc->drawFrame(dc, r, true);
            if (!img.alt.empty()) {
                dc.selectFont(kPlaceholderFont);
                dc.setTextColor(pf::RGB(0, 0, 0));
                dc.setBkMode(pf::TRANSPARENT);
                pf::Rect t{r.left + 24, r.top + 4, r.right, r.bottom};
                dc.drawText(img.alt, t, pf::DT_WORDBREAK | pf::DT_NOPREFIX);
            }
        }
        if (!img.caption.empty()) {
            const FormatRun& f = m_formats[std::size_t(formatAt(o.pos))];
            selectFormat(dc, f);
            dc.setBkMode(pf::TRANSPARENT);
            const pf::Extent e = dc.textExtent(img.caption);
            const pf::Extent xh = dc.textExtent("X");
            const int off = picture ? 0 : 4;
            const int tx = r.left + off + (o.w - off - e.cx) / 2;
            const int ty = r.top + off + (o.h - off - xh.cy) / 2;
            dc.setTextColor(pf::RGB(255, 255, 255));
            dc.textOut(tx + 1, ty + 1, img.caption);
            dc.setTextColor(pf::RGB(49, 107, 107));
            dc.textOut(tx, ty, img.caption);
        }
    }
    return bottom();
}

int CSection::HitTestLink(int px, int py, pf::Point* where) const {
    for (const Line& line : m_lines) {
        if (py < line.top || py >= line.top + line.height)
            continue;
        int x = line.left;
        const int end = line.start + line.length;
        for (int i = line.start; i < end; ++i) {
            const int cw = charWidth(i, formatAt(i));
            if (px >= x && px < x + cw) {
                if (m_text[std::size_t(i)] == kObjectMarker) {
                    const Object* o = objectAt(i);
                    if (o && o->image) {
                        if (py < o->y || py >= o->y + o->h)
                            return -1;
                        if (!o->image->map.empty() && m_doc) {
                            if (const ImageMap* map = m_doc->findMap(o->image->map)) {
                                const ImageMap::Area* area = map->hit(px - o->x, py - o->y);
                                if (where)
                                    *where = {px - o->x, py - o->y};
                                return area ? area->link : -1;
                            }
                        }
                        if (where)
                            *where = {px - o->x, py - o->y};
                    }
                }
                const int link = linkAt(i);
                return link ? link : -1;
            }
            x += cw;
        }
    }
    // Floating images stand outside the lines.
    for (const Object& o : m_objects) {
        if (!o.image || (o.image->align != kImgLeft && o.image->align != kImgRight))
            continue;
        if (px >= o.x && px < o.x + o.w && py >= o.y && py < o.y + o.h) {
            if (where)
                *where = {px - o.x, py - o.y};
            if (!o.image->map.empty() && m_doc) {
                if (const ImageMap* map = m_doc->findMap(o.image->map)) {
                    const ImageMap::Area* area = map->hit(px - o.x, py - o.y);
                    return area ? area->link : -1;
                }
            }
            const int link = linkAt(o.pos);
            return link ? link : -1;
        }
    }
    return -1;
}

bool CSection::GetItemRect(int number, pf::Rect& rect) const {
    bool found = false;
    for (const Line& line : m_lines) {
        int x = line.left;
        const int end = line.start + line.length;
        for (int i = line.start; i < end; ++i) {
            const int cw = charWidth(i, formatAt(i));
            if (linkAt(i) == number && m_text[std::size_t(i)] != ' ') {
                const pf::Rect r{x, line.top, x + cw, line.top + line.height};
                if (!found)
                    rect = r;
                else
                    rect = {std::min(rect.left, r.left), std::min(rect.top, r.top),
                            std::max(rect.right, r.right), std::max(rect.bottom, r.bottom)};
                found = true;
            }
            x += cw;
        }
    }
    return found;
}

void CSection::PlaceControls(int dx, int dy) {
    for (Object& o : m_objects) {
        if (o.control)
            o.control->setPlace(o.x + dx, o.y + dy);
    }
}

void CSection::Paginate(int pageTop, int& pageEnd) const {
    const int page = pageEnd - pageTop;
    for (const Line& line : m_lines) {
        if (line.top > pageTop && line.top < pageEnd && line.top + line.height > pageEnd &&
            line.height < page)
            pageEnd = line.top;
    }
}

void CSection::Offset(int dx, int dy) {
    CSectionBase::Offset(dx, dy);
    for (Line& l : m_lines) {
        l.top += dy;
        l.left += dx;
    }
    for (Object& o : m_objects) {
        o.x += dx;
        o.y += dy;
    }
}
