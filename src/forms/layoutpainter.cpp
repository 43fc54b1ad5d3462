#include "forms/layoutpainter.h"

#include "forms/fieldformat.h"
#include "platform/dc.h"

#include <quorva/field.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace qv {
namespace {

using pf::Rect;

constexpr pf::COLORREF kBlack = pf::RGB(0, 0, 0);
constexpr pf::COLORREF kWhite = pf::RGB(255, 255, 255);

// A layout box as a context rectangle: y up, so top is the larger y.
Rect rectOf(const LayoutBounds& b) {
    return {b.left, b.top, b.right, b.bottom};
}

Rect inflate(const LayoutBounds& b, int by) {
    return {b.left - by, b.top + by, b.right + by, b.bottom - by};
}

bool meets(const LayoutBounds& a, const LayoutBounds& b) {
    return a.left <= b.right && b.left <= a.right && a.bottom <= b.top && b.bottom <= a.top;
}

// The square (or circle) of side `height` just left of a box.
LayoutBounds markBox(const LayoutBounds& b) {
    const int side = b.top - b.bottom;
    return {b.left - side, b.top, b.left, b.bottom};
}

// Draws `text` into `rect` with DT_ flags; a vertically centred block of several lines is
// placed by measuring it first, as the word-broken labels need.
void boxText(pf::Dc& dc, const std::string& text, const Rect& rect, unsigned flags,
             bool centreBlock = false) {
    if (text.empty())
        return;
    Rect r = rect;
    if (centreBlock) {
        Rect calc = rect;
        const int height = dc.drawText(text, calc, flags | pf::DT_CALCRECT);
        const int boxHeight = rect.top - rect.bottom;
        r.top = rect.top - std::max(0, (boxHeight - height) / 2);
    }
    dc.drawText(text, r, flags | pf::DT_NOPREFIX);
}

unsigned alignFlags(std::uint8_t align) {
    switch (align) {
    case 1:
        return pf::DT_CENTER;
    case 2:
        return pf::DT_RIGHT;
    default:
        return pf::DT_LEFT;
    }
}

struct Pass {
    pf::Dc& dc;
    const LayoutPainter::Options& options;
    pf::COLORREF textColour = kBlack;

    pf::COLORREF colour(pf::COLORREF c) const { return options.printer ? kBlack : c; }

    void header(const LayoutRecord& r) {
        dc.setBkColor(r.bgColor);
        textColour = colour(r.textColor);
        dc.setTextColor(textColour);
        dc.selectFont(LayoutPainter::logFont(r.font));
    }

    void text(const LayoutRecord& r, bool draw) {
        std::string shown = r.text;
        // The font stays selected for the entry boxes that follow, drawn or not, so that a
        // partial repaint draws them as a full one does.
        dc.selectFont(LayoutPainter::logFont(r.font, 0, &shown));
        if (!draw || !r.visible)
            return;
        const LayoutBounds b = Normalize(r.box);
        dc.setTextColor(colour(r.textColor));
        dc.setBkColor(r.bgColor);
        if (r.frame)
            frame(b);
        if (r.opaque)
            dc.setBkMode(pf::OPAQUE);
        boxText(dc, shown, rectOf(b), alignFlags(r.align) | pf::DT_WORDBREAK);
        if (r.opaque)
            dc.setBkMode(pf::TRANSPARENT);
        if (r.leaderEnd > b.right)
            leader(r, b);
    }

    // " ." repeated between the text box and the leader end, ending 90 twips before it.
    void leader(const LayoutRecord& r, const LayoutBounds& b) {
        const pf::LogFont saved = dc.selectFont(LayoutPainter::logFont(r.font, 700));
        const int unit = dc.textExtent(" .").cx;
        const int room = r.leaderEnd - b.right;
        if (unit > 0 && room > 0) {
            std::string dots;
            for (int n = room / unit; n > 0; --n)
                dots += " .";
            Rect area{b.right, b.top, r.leaderEnd - 90, b.bottom};
            if (!dots.empty() && area.right > area.left)
                dc.drawText(dots, area, pf::DT_RIGHT | pf::DT_NOPREFIX | pf::DT_NOCLIP);
        }
        dc.selectFont(saved);
    }

    void frame(const LayoutBounds& b) {
        const pf::Brush old = dc.selectBrush(pf::Brush{true, 0});
        dc.rectangle(rectOf(b));
        dc.selectBrush(old);
    }

    void entry(const LayoutRecord& r, CField* field) {
        if (!r.visible)
            return;
        const LayoutBounds b = Normalize(r.box);
        dc.setBkColor(r.bgColor);
        dc.setTextColor(colour(field ? StateColor(field) : r.textColor));
        if (r.frame)
            frame(b);
        if (!field)
            return;
        const int type = field->GetType();
        const std::string value = FieldValueText(*field, r.layoutFlags, r.decimals);
        unsigned flags = 0;
        switch (type) {
        case FT_MONEY:
        case FT_DECIMAL:
        case FT_INTEGER:
            flags = pf::DT_RIGHT | pf::DT_SINGLELINE;
            break;
        case FT_SSN:
        case FT_EIN:
        case FT_PHONE:
        case FT_DATE:
            flags = alignFlags(r.align) | pf::DT_WORDBREAK;
            break;
        default:
            flags = alignFlags(r.align) | pf::DT_SINGLELINE;
            break;
        }
        boxText(dc, value, rectOf(b), flags);
    }

    void line(const LayoutRecord& r) {
        const pf::Pen old = dc.selectPen(pf::Pen{pf::PS_SOLID, options.linePenWidth, kBlack});
        dc.moveTo(r.x1, r.y1);
        dc.lineTo(r.x2, r.y2);
        dc.selectPen(old);
    }

    // The focus mark (a 30-twip ring or square 10 twips outside) or, unfocused, the plain
    // outline 40 twips inside; `round` picks circle or square.
    void mark(const LayoutBounds& box, bool focused, bool round, pf::COLORREF penColour) {
        const pf::Brush oldBrush = dc.selectBrush(pf::Brush{true, 0});
        const pf::Pen oldPen = focused ? dc.selectPen(pf::Pen{pf::PS_SOLID, 30, penColour})
                                       : dc.selectPen(pf::Pen{pf::PS_SOLID, 0, penColour});
        const Rect r = focused ? inflate(box, 10) : inflate(box, -40);
        if (round)
            dc.ellipse(r);
        else
            dc.rectangle(r);
        dc.selectPen(oldPen);
        dc.selectBrush(oldBrush);
    }

    void label(const LayoutRecord& r, const LayoutBounds& from, const LayoutBounds& b) {
        dc.selectFont(LayoutPainter::logFont(r.font));
        dc.setTextColor(colour(r.textColor));
        const Rect area{from.left, b.top, b.right, b.bottom};
        boxText(dc, r.label, area, alignFlags(r.align) | pf::DT_WORDBREAK, true);
    }

    void option(const LayoutRecord& r, CField* field) {
        if (!r.visible)
            return;
        const LayoutBounds b = Normalize(r.box);
        const LayoutBounds circle = markBox(b);
        const bool focused = !options.printer && r.controlNumber == options.focusControl;
        mark(circle, focused, true, colour(r.textColor));
        if (field && field->IsSet()) {
            // The dot: white rings, each 15 twips inside the last.
            const pf::Brush oldBrush = dc.selectBrush(pf::Brush{true, 0});
            const pf::Pen oldPen = dc.selectPen(pf::Pen{pf::PS_SOLID, 15, kWhite});
            const int radius = (circle.top - circle.bottom) / 2;
            for (int in = 55; in < radius; in += 15)
                dc.ellipse(inflate(circle, -in));
            dc.selectPen(oldPen);
            dc.selectBrush(oldBrush);
        }
        label(r, circle, b);
    }

    void check(const LayoutRecord& r, CField* field) {
        if (!r.visible)
            return;
        const LayoutBounds b = Normalize(r.box);
        const LayoutBounds square = r.boxed ? markBox(b) : b;
        const bool focused = !options.printer && r.controlNumber == options.focusControl;
        if (r.boxed || focused)
            mark(square, focused, false, colour(r.textColor));
        if (field && field->IsSet()) {
            dc.selectFont(LayoutPainter::logFont(r.font));
            dc.setTextColor(colour(StateColor(field)));
            Rect area = rectOf(square);
            dc.drawText("X", area,
                        pf::DT_CENTER | pf::DT_VCENTER | pf::DT_SINGLELINE | pf::DT_NOPREFIX |
                            pf::DT_NOCLIP);
        }
        if (r.boxed)
            label(r, square, b);
    }

    void choice(const LayoutRecord& r, CField* field) {
        if (!r.visible || !field)
            return;
        dc.setBkColor(r.bgColor);
        dc.setTextColor(colour(StateColor(field)));
        const int index = field->GetChoice();
        if (index < 0)
            return;
        char buffer[128] = {};
        field->GetChoiceLabel(index, buffer, sizeof buffer);
        buffer[sizeof buffer - 1] = '\0';
        Rect area = rectOf(Normalize(r.box));
        dc.drawText(buffer, area,
                    pf::DT_CENTER | pf::DT_BOTTOM | pf::DT_SINGLELINE | pf::DT_NOPREFIX);
    }

    void shape(const LayoutRecord& r) {
        if (r.shape > 5)
            return;
        const Rect area = rectOf(Normalize(r.box));
        const pf::Pen oldPen =
            dc.selectPen(pf::Pen{r.penStyle, r.penWidth * 15, colour(r.penColor)});
        const pf::Brush oldBrush = dc.selectBrush(pf::Brush{false, r.fillColor});
        if (r.shape <= 1) {
            dc.rectangle(area);
        } else if (r.shape <= 3) {
            dc.ellipse(area);
        } else {
            const double u = options.unitsPerPixel;
            dc.roundRect(area, int(std::lround(40 * u)), int(std::lround(60 * u)));
        }
        dc.selectBrush(oldBrush);
        dc.selectPen(oldPen);
    }
};

} // namespace

LayoutBounds LayoutPainter::bounds(const LayoutRecord& r) {
    if (r.kind == LK_LINE)
        return {std::min(r.x1, r.x2), std::max(r.y1, r.y2), std::max(r.x1, r.x2),
                std::min(r.y1, r.y2)};
    LayoutBounds b = Normalize(r.box);
    if (r.kind == LK_TEXT && r.leaderEnd > b.right)
        b.right = r.leaderEnd;
    if (r.kind == LK_OPTION || (r.kind == LK_CHECK && r.boxed))
        b.left -= b.top - b.bottom + 10;
    return b;
}

pf::LogFont LayoutPainter::logFont(const LayoutFont& font, int weight, std::string* text) {
    pf::LogFont lf;
    int points = font.points;
    switch (font.face) {
    case 0:
        lf.faceName = "Arial";
        break;
    case 1:
        lf.faceName = "Wingdings";
        lf.charSet = pf::SYMBOL_CHARSET;
        break;
    case 2:
        lf.faceName = "NelcoSymbols";
        lf.charSet = pf::SYMBOL_CHARSET;
        if (text && text->size() == 1) {
            switch ((*text)[0]) {
            case 't':
                *text = "i";
                points += 2;
                break;
            case 'g':
                *text = "w";
                points += 2;
                break;
            case 'q':
                *text = "3";
                points += 4;
                break;
            case 'p':
                *text = "4";
                points += 4;
                break;
            case 'u':
                points += 2;
                break;
            default:
                break;
            }
        }
        break;
    case 4:
        lf.faceName = "NelcoSymbols";
        lf.charSet = pf::SYMBOL_CHARSET;
        break;
    default:
        lf.faceName = "MS Sans Serif";
        break;
    }
    lf.height = -20 * points;
    lf.underline = (font.style & 1) != 0;
    lf.italic = (font.style & 2) != 0;
    lf.strikeOut = (font.style & 4) != 0;
    lf.weight = font.weight * 100;
    if (font.face == 2)
        lf.weight = 400;
    if (weight > 0)
        lf.weight = weight;
    return lf;
}

void LayoutPainter::paint(pf::Dc& dc, const std::vector<LayoutRecord>& records,
                          const std::vector<CField*>& fields, const Options& options) {
    Pass pass{dc, options};
    dc.setBkMode(pf::TRANSPARENT);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const LayoutRecord& r = records[i];
        CField* field = i < fields.size() ? fields[i] : nullptr;
        if (r.kind == LK_HEADER) {
            pass.header(r);
            continue;
        }
        const LayoutBounds b = bounds(r);
        const bool wanted = meets(b, options.area) && b.top >= options.pageBottom &&
                            (!options.filter || options.filter(r));
        if (r.kind == LK_TEXT) {
            pass.text(r, wanted);
            continue;
        }
        if (!wanted)
            continue;
        switch (r.kind) {
        case LK_ENTRY:
            pass.entry(r, field);
            break;
        case LK_LINE:
            pass.line(r);
            break;
        case LK_OPTION:
            pass.option(r, field);
            break;
        case LK_CHECK:
            pass.check(r, field);
            break;
        case LK_CHOICE:
            pass.choice(r, field);
            break;
        case LK_SHAPE:
            pass.shape(r);
            break;
        default: // hot spots are never drawn
            break;
        }
    }
}

} // namespace qv
