#include "layoutimage.h"

#include "wmfwriter.h"

#include "platform/dc.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <tuple>

namespace qv {
namespace {

constexpr int kScaleNum = 8; // across: 2400 / 9300 in lowest terms
constexpr int kScaleDen = 31;
constexpr int kRowNum = 5; // down: a 180-unit row pitch becomes the 50-unit grid row
constexpr int kRowDen = 18;
// Text measured here may come out a little wider than where the layout was made; a line
// that overruns its box by less than this share stays on one line.
constexpr int kFitSlackPercent = 10;
constexpr int kLinePen = 3;        // 1/100 inch, about the 2 screen pixels the printer uses
constexpr int kMinTextGap = 6;     // between a check square and its label
constexpr int kRoundCornerW = 125; // 40 by 60 screen pixels at 96 per inch
constexpr int kRoundCornerH = 188;

int ratio(std::int64_t v, int num, int den) {
    const std::int64_t n = v * num;
    return int(n >= 0 ? (n + den / 2) / den : -((-n + den / 2) / den));
}

int scaled(std::int64_t v) {
    return ratio(v, kScaleNum, kScaleDen);
}

// A layout box in frame coordinates (y down), on its own page.
struct FrameRect {
    int left, top, right, bottom, page;
};

FrameRect frameRect(const LayoutBox& box, const std::vector<PageMap>& maps) {
    const LayoutBounds b = Normalize(box);
    const int page = LayoutPageOf(b.top);
    const PageMap& map = maps[std::size_t(page - 1)];
    return {ImageX(b.left), map.y(b.top), ImageX(b.right), map.y(b.bottom), page};
}

std::int64_t downOnPage(std::int32_t y, int page) {
    return -std::int64_t(y) - std::int64_t(page - 1) * kLayoutPageHeight;
}

// Tops of the page's amount rows: entry boxes one row pitch high, units down the page.
std::vector<std::int64_t> rowTops(const std::vector<LayoutRecord>& records, int page) {
    std::vector<std::int64_t> tops;
    for (const LayoutRecord& r : records) {
        if (r.kind != LK_ENTRY)
            continue;
        const LayoutBounds b = Normalize(r.box);
        if (LayoutPageOf(b.top) == page && b.top - b.bottom == kLayoutRowPitch)
            tops.push_back(downOnPage(b.top, page));
    }
    std::sort(tops.begin(), tops.end());
    tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
    return tops;
}

// Where page `page` starts so that most of its amount rows sit on grid rows.
int pageTop(const std::vector<std::int64_t>& tops) {
    std::map<int, int> phases;
    for (std::int64_t down : tops)
        ++phases[int(down % kLayoutRowPitch)];
    int phase = 0, best = 0;
    for (const auto& [p, n] : phases) {
        if (n > best) {
            phase = p;
            best = n;
        }
    }
    // A row's text cell spans 50·r − 49 to 50·r + 1: the box top goes to 1 (mod 50).
    const int offset = ratio(phase, kRowNum, kRowDen);
    return kImageTopMin + (((1 - offset - kImageTopMin) % 50) + 50) % 50;
}

// The metafile font of a layout font, and the face the playback will measure it with.
struct FontChoice {
    WmfFont wmf;
    pf::LogFont measure;
    bool symbol = false;
};

FontChoice chooseFont(const LayoutFont& f, int extraPoints = 0, int forceWeight = 0) {
    FontChoice c;
    const int points = f.points + extraPoints;
    const bool bold = forceWeight ? forceWeight >= 600 : f.weight >= 6;
    int weight = forceWeight ? forceWeight : f.weight * 100;
    if (weight <= 0)
        weight = 400;
    std::string face = "Arial";
    std::string measureFace = "Arial";
    int charSet = 0;
    switch (f.face) {
    case 1:
        face = measureFace = "Wingdings";
        charSet = 2;
        c.symbol = true;
        break;
    case 2:
    case 4:
        face = measureFace = "NelcoSymbols";
        charSet = 2;
        if (f.face == 2)
            weight = 400;
        c.symbol = true;
        break;
    default:
        // The printing library turns the form faces into Arial of the same weight; a form
        // face is named where one of that size exists.
        if (!bold && (points == 6 || points == 8))
            face = "TxFntN" + std::to_string(points);
        else if (bold && (points == 8 || points == 10 || points == 12 || points == 14))
            face = "TxFntB" + std::to_string(points);
        if (face != "Arial")
            weight = bold ? 700 : 400;
        break;
    }
    c.wmf.height = std::int16_t(-scaled(20 * points));
    c.wmf.weight = std::int16_t(weight);
    c.wmf.italic = (f.style & 2) != 0;
    c.wmf.underline = (f.style & 1) != 0;
    c.wmf.strikeOut = (f.style & 4) != 0;
    c.wmf.charSet = std::uint8_t(charSet);
    c.wmf.face = face;
    c.measure.height = c.wmf.height;
    c.measure.weight = weight;
    c.measure.italic = c.wmf.italic;
    c.measure.charSet = charSet;
    c.measure.faceName = measureFace;
    return c;
}

bool sameFont(const WmfFont& a, const WmfFont& b) {
    return a.height == b.height && a.weight == b.weight && a.italic == b.italic &&
           a.underline == b.underline && a.strikeOut == b.strikeOut && a.charSet == b.charSet &&
           a.face == b.face;
}

// One page being drawn: keeps the objects selected so that each changes only when needed.
class PageWriter {
public:
    explicit PageWriter(pf::Dc& measure)
        : m_wmf(0, 0, kPaperWidth, kPaperHeight, kImageUnitsPerInch), m_measure(measure) {
        m_wmf.setBkMode(pf::TRANSPARENT);
        m_brush = m_wmf.createBrush(WMF_BS_NULL, 0);
        m_wmf.selectObject(m_brush);
        m_brushNull = true;
    }

    void pen(int style, int width, std::uint32_t colour) {
        if (m_pen >= 0 && style == m_penStyle && width == m_penWidth && colour == m_penColour)
            return;
        const int next = m_wmf.createPen(std::uint16_t(style), std::int16_t(width), colour);
        m_wmf.selectObject(next);
        if (m_pen >= 0)
            m_wmf.deleteObject(m_pen);
        m_pen = next;
        m_penStyle = style;
        m_penWidth = width;
        m_penColour = colour;
    }
    void brush(bool null, std::uint32_t colour) {
        if (null == m_brushNull && (null || colour == m_brushColour))
            return;
        const int next = m_wmf.createBrush(null ? WMF_BS_NULL : WMF_BS_SOLID, colour);
        m_wmf.selectObject(next);
        m_wmf.deleteObject(m_brush);
        m_brush = next;
        m_brushNull = null;
        m_brushColour = colour;
    }
    void font(const FontChoice& f) {
        if (m_font >= 0 && sameFont(f.wmf, m_fontChoice.wmf))
            return;
        const int next = m_wmf.createFont(f.wmf);
        m_wmf.selectObject(next);
        if (m_font >= 0)
            m_wmf.deleteObject(m_font);
        m_font = next;
        m_fontChoice = f;
        m_measure.selectFont(f.measure);
    }
    void align(unsigned a) {
        if (a == m_align)
            return;
        m_wmf.setTextAlign(std::uint16_t(a));
        m_align = a;
    }
    int width(const std::string& s) const { return m_measure.textExtent(s).cx; }
    int lineHeight() const { return m_measure.textMetrics().height; }

    void text(int x, int y, const std::string& s) {
        if (s.empty())
            return;
        if (!m_fontChoice.symbol) {
            m_wmf.textOut(x, y, s);
            return;
        }
        std::vector<std::int16_t> advances;
        for (char ch : s)
            advances.push_back(std::int16_t(std::max(1, width(std::string(1, ch)))));
        m_wmf.extTextOut(x, y, s, advances);
    }
    void line(int x1, int y1, int x2, int y2) {
        m_wmf.moveTo(x1, y1);
        m_wmf.lineTo(x2, y2);
    }
    WmfWriter& wmf() { return m_wmf; }

    std::string finish() {
        for (int* obj : {&m_font, &m_pen, &m_brush}) {
            if (*obj >= 0)
                m_wmf.deleteObject(*obj);
            *obj = -1;
        }
        return m_wmf.bytes();
    }

private:
    WmfWriter m_wmf;
    pf::Dc& m_measure;
    int m_pen = -1, m_penStyle = 0, m_penWidth = 0;
    std::uint32_t m_penColour = 0;
    int m_brush = -1;
    bool m_brushNull = true;
    std::uint32_t m_brushColour = 0;
    int m_font = -1;
    FontChoice m_fontChoice;
    unsigned m_align = 0;
};

// Word-broken lines of `text` that fit `width`; a word wider than the box stands alone.
std::vector<std::string> breakLines(const std::string& text, int width, const PageWriter& w) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string para = text.substr(start, end - start);
        if (!para.empty() && para.back() == '\r')
            para.pop_back();
        std::string line;
        std::size_t pos = 0;
        while (pos < para.size()) {
            std::size_t space = para.find(' ', pos);
            if (space == std::string::npos)
                space = para.size();
            const std::string word = para.substr(pos, space - pos);
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && w.width(candidate) * 100 > width * (100 + kFitSlackPercent)) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            pos = space + 1;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void drawLabel(PageWriter& w, const LayoutFont& font, const std::string& label, int left, int right,
               int top, int bottom) {
    if (label.empty() || right <= left)
        return;
    w.font(chooseFont(font));
    w.align(pf::TA_LEFT | pf::TA_TOP);
    const std::vector<std::string> lines = breakLines(label, right - left, w);
    const int lh = std::max(1, w.lineHeight());
    int y = top + ((bottom - top) - lh * int(lines.size())) / 2;
    for (const std::string& line : lines) {
        w.text(left, y, line);
        y += lh;
    }
}

void drawText(PageWriter& w, const LayoutRecord& r, const FrameRect& fr) {
    int extra = 0;
    std::string text = r.text;
    if (r.font.face == 2 && text.size() == 1) {
        // The symbol face draws these letters as other glyphs one size up.
        static const std::map<char, std::pair<char, int>> swap = {
            {'t', {'i', 2}}, {'g', {'w', 2}}, {'q', {'3', 4}}, {'p', {'4', 4}}, {'u', {'u', 2}}};
        if (const auto it = swap.find(text[0]); it != swap.end()) {
            text[0] = it->second.first;
            extra = it->second.second;
        }
    }
    if (r.frame) {
        w.pen(pf::PS_SOLID, kLinePen, 0);
        w.brush(true, 0);
        w.wmf().rectangle(fr.left, fr.top, fr.right, fr.bottom);
    }
    w.font(chooseFont(r.font, extra));
    const int lh = std::max(1, w.lineHeight());
    int y = fr.top;
    for (const std::string& line : breakLines(text, fr.right - fr.left, w)) {
        if (r.align == 1) {
            w.align(pf::TA_CENTER | pf::TA_TOP);
            w.text((fr.left + fr.right) / 2, y, line);
        } else if (r.align == 2) {
            w.align(pf::TA_RIGHT | pf::TA_TOP);
            w.text(fr.right, y, line);
        } else {
            w.align(pf::TA_LEFT | pf::TA_TOP);
            w.text(fr.left, y, line);
        }
        y += lh;
    }
    if (r.leaderEnd > 0) {
        const int end = ImageX(r.leaderEnd - 90);
        w.font(chooseFont(r.font, extra, 700));
        const int unit = std::max(1, w.width(" ."));
        const int count = (end - fr.right) / unit;
        if (count > 0) {
            std::string dots;
            for (int i = 0; i < count; ++i)
                dots += " .";
            w.align(pf::TA_RIGHT | pf::TA_TOP);
            w.text(end, fr.top, dots);
        }
    }
}

void drawShape(PageWriter& w, const LayoutRecord& r, const FrameRect& fr) {
    if (r.shape > 5)
        return;
    w.pen(r.penStyle, std::max(1, scaled(15 * r.penWidth)), r.penColor);
    w.brush(false, r.fillColor);
    if (r.shape <= 1)
        w.wmf().rectangle(fr.left, fr.top, fr.right, fr.bottom);
    else if (r.shape <= 3)
        w.wmf().ellipse(fr.left, fr.top, fr.right, fr.bottom);
    else
        w.wmf().roundRect(fr.left, fr.top, fr.right, fr.bottom, kRoundCornerW, kRoundCornerH);
}

// The grid row whose text is centred nearest to y: the middle of a row's capitals lies
// about 14 units above its baseline, 50·r − 10.
int rowFor(int y) {
    return (y + 24 + 25) / 50;
}

// Columns and row for a value inside a box: whole character cells inside the box, on the
// row centred nearest to the box's middle.
GridPlacement entryPlacement(const FrameRect& fr) {
    GridPlacement p;
    p.page = fr.page;
    p.column = std::max(1, (fr.left + 13 + 29) / 30);
    const int last = (fr.right - 17) / 30;
    p.width = std::max(1, last - p.column + 1);
    p.row = std::max(1, rowFor((fr.top + fr.bottom) / 2));
    const int height = fr.bottom - fr.top;
    p.elementType = height >= 45 ? 1 : height >= 36 ? 8 : 6;
    return p;
}

// One character cell centred on (cx, cy): a grid column, or a half column further when that
// sits closer (element type 5).
GridPlacement markPlacement(int cx, int cy, int page) {
    GridPlacement p;
    p.page = page;
    const int whole = (cx - 2 + 15) / 30;
    const int half = (cx - 17 + 15) / 30;
    const bool useHalf = std::abs(30 * half + 17 - cx) < std::abs(30 * whole + 2 - cx);
    p.column = std::max(1, useHalf ? half : whole);
    p.elementType = useHalf ? 5 : 1;
    p.row = std::max(1, rowFor(cy));
    return p;
}

} // namespace

int ImageX(std::int32_t x) {
    return kImageLeft + scaled(x);
}

PageMap::PageMap(const std::vector<LayoutRecord>& records, int page) : m_page(page) {
    const std::vector<std::int64_t> tops = rowTops(records, page);
    m_top = pageTop(tops);
    // Each row's top and bottom move by the same amount, so a row keeps its height and only
    // the gaps between rows stretch or shrink.
    int last = std::numeric_limits<int>::min();
    for (std::int64_t down : tops) {
        const int linear = m_top + ratio(down, kRowNum, kRowDen);
        int off = ((1 - linear) % 50 + 50) % 50; // moving down onto the next cell top
        if (off > 25)
            off -= 50;
        // A row overlapping the one before is left where it falls.
        if (linear + off <= last)
            continue;
        last = linear + off;
        if (m_anchors.empty() || m_anchors.back().first < down)
            m_anchors.emplace_back(down, off);
        m_anchors.emplace_back(down + kLayoutRowPitch, off);
    }
}

int PageMap::y(std::int32_t layoutY) const {
    const std::int64_t down = downOnPage(layoutY, m_page);
    const int linear = m_top + ratio(down, kRowNum, kRowDen);
    if (m_anchors.empty())
        return linear;
    if (down <= m_anchors.front().first)
        return linear + m_anchors.front().second;
    if (down >= m_anchors.back().first)
        return linear + m_anchors.back().second;
    const auto next = std::upper_bound(
        m_anchors.begin(), m_anchors.end(), down,
        [](std::int64_t d, const std::pair<std::int64_t, int>& a) { return d < a.first; });
    const auto prev = next - 1;
    const std::int64_t span = next->first - prev->first;
    const std::int64_t along = down - prev->first;
    const std::int64_t shift = prev->second * span + (next->second - prev->second) * along;
    return linear + int(shift >= 0 ? (shift + span / 2) / span : -((-shift + span / 2) / span));
}

int ImageY(std::int32_t y, int page, int pageTop) {
    return pageTop +
           ratio(-std::int64_t(y) - std::int64_t(page - 1) * kLayoutPageHeight, kRowNum, kRowDen);
}

int LayoutPageOf(std::int32_t top) {
    if (top >= 0)
        return 1;
    return int((-std::int64_t(top) - 1) / kLayoutPageHeight) + 1;
}

LayoutImages RenderLayout(const std::vector<LayoutRecord>& records) {
    int pages = 1;
    for (const LayoutRecord& r : records) {
        if (r.kind == LK_HEADER && r.pageHeight < 0)
            pages = std::max(pages, LayoutPageOf(r.pageHeight + 1));
        else if (r.kind == LK_LINE)
            pages = std::max(pages, LayoutPageOf(std::max(r.y1, r.y2)));
        else if (r.kind != LK_HEADER)
            pages = std::max(pages, LayoutPageOf(Normalize(r.box).top));
    }
    // One logical unit per device pixel: fonts are measured at the size they print at.
    pf::Dc measure;

    std::vector<std::unique_ptr<PageWriter>> writers;
    LayoutImages out;
    for (int p = 0; p < pages; ++p) {
        writers.push_back(std::make_unique<PageWriter>(measure));
        out.maps.emplace_back(records, p + 1);
    }
    for (const LayoutRecord& r : records) {
        if (r.kind == LK_HEADER || r.kind == LK_HOTSPOT)
            continue;
        if (r.kind == LK_LINE) {
            const int page = LayoutPageOf(std::max(r.y1, r.y2));
            PageWriter& w = *writers[std::size_t(page - 1)];
            w.pen(pf::PS_SOLID, kLinePen, 0);
            const PageMap& map = out.maps[std::size_t(page - 1)];
            w.line(ImageX(r.x1), map.y(r.y1), ImageX(r.x2), map.y(r.y2));
            continue;
        }
        const FrameRect fr = frameRect(r.box, out.maps);
        PageWriter& w = *writers[std::size_t(fr.page - 1)];
        switch (r.kind) {
        case LK_TEXT:
            if (r.visible)
                drawText(w, r, fr);
            break;
        case LK_SHAPE:
            drawShape(w, r, fr);
            break;
        case LK_ENTRY: {
            if (r.visible && r.frame) {
                w.pen(pf::PS_SOLID, kLinePen, 0);
                w.brush(true, 0);
                w.wmf().rectangle(fr.left, fr.top, fr.right, fr.bottom);
            }
            GridPlacement p = entryPlacement(fr);
            p.kind = 'E';
            p.align = r.align;
            p.layoutFlags = r.layoutFlags;
            p.decimals = r.decimals;
            p.element = r.elementIndex;
            p.field = r.fieldName;
            out.placements.push_back(p);
            break;
        }
        case LK_CHECK:
        case LK_OPTION: {
            // A boxed check box and an option button draw their mark left of the box.
            const bool outside = r.kind == LK_OPTION || r.boxed;
            const LayoutBounds b = Normalize(r.box);
            const int markLeft = outside ? ImageX(b.left - (b.top - b.bottom)) : fr.left;
            const int markRight = outside ? fr.left : fr.right;
            if (r.visible && outside) {
                w.pen(pf::PS_SOLID, kLinePen, 0);
                w.brush(true, 0);
                if (r.kind == LK_CHECK)
                    w.wmf().rectangle(markLeft, fr.top, markRight, fr.bottom);
                else
                    w.wmf().ellipse(markLeft, fr.top, markRight, fr.bottom);
            }
            if (r.visible && outside)
                drawLabel(w, r.font, r.label, fr.left + kMinTextGap, fr.right, fr.top, fr.bottom);
            GridPlacement p =
                markPlacement((markLeft + markRight) / 2, (fr.top + fr.bottom) / 2, fr.page);
            p.kind = r.kind == LK_CHECK ? 'C' : 'O';
            p.element = r.elementIndex;
            p.field = r.fieldName;
            out.placements.push_back(p);
            break;
        }
        case LK_CHOICE: {
            if (r.visible) {
                w.pen(pf::PS_SOLID, kLinePen, 0);
                w.brush(true, 0);
                w.wmf().rectangle(fr.left, fr.top, fr.right, fr.bottom);
            }
            GridPlacement p = entryPlacement(fr);
            p.kind = 'H';
            p.align = 1;
            p.element = r.fieldOffset;
            p.field = r.fieldName;
            out.placements.push_back(p);
            break;
        }
        default:
            break;
        }
    }
    for (auto& w : writers)
        out.pages.push_back(w->finish());
    // Values print page by page, each page top to bottom and left to right.
    std::stable_sort(out.placements.begin(), out.placements.end(),
                     [](const GridPlacement& a, const GridPlacement& b) {
                         return std::tie(a.page, a.row, a.column) <
                                std::tie(b.page, b.row, b.column);
                     });
    return out;
}

std::string PlacementText(const std::vector<GridPlacement>& placements) {
    std::string out;
    for (const GridPlacement& p : placements) {
        out += p.kind;
        for (int v : {p.page, p.row, p.column, p.width, p.elementType, int(p.align),
                      int(p.layoutFlags), int(p.decimals), int(p.element)})
            out += "\t" + std::to_string(v);
        out += "\t" + p.field + "\n";
    }
    return out;
}

} // namespace qv
