#include "platform/dc.h"

#include "platform/text.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

namespace pf {

struct Dc::State {
    int mapMode = MM_TEXT;
    Point windowOrg;
    Point viewportOrg;
    Extent windowExt{1, 1};
    Extent viewportExt{1, 1};
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    LogFont font{-16, FW_NORMAL, false, false, false, DEFAULT_CHARSET, "System"};
    Pen pen;
    Brush brush;
    Point current;
    bool clipped = false;
    QRect clip;
};

namespace {

// Logical units per inch of the fixed mapping modes.
Extent fixedWindowExtent(int mode) {
    switch (mode) {
    case MM_LOMETRIC:
        return {254, -254}; // 0.1 mm
    case MM_HIMETRIC:
        return {2540, -2540}; // 0.01 mm
    case MM_LOENGLISH:
        return {100, -100}; // 0.01 in
    case MM_HIENGLISH:
        return {1000, -1000}; // 0.001 in
    case MM_TWIPS:
        return {1440, -1440}; // 1/1440 in
    default:
        return {1, 1};
    }
}

std::string faceKey(const std::string& face) {
    return pf::upper(face);
}

struct CachedFont {
    QFont font;
    std::shared_ptr<const FontMetrics> metrics;
};

std::mutex g_fontMutex;
std::map<std::string, CachedFont>& fontCache() {
    static std::map<std::string, CachedFont> cache;
    return cache;
}

QString qtFamily(const std::string& face) {
    return pf::toQt(substituteFace(face));
}

// Builds (or finds) the font for `lf` at a device em height of `pixels`, honouring the
// cell-height convention of positive LOGFONT heights.
const CachedFont& deviceFont(const LogFont& lf, double scale) {
    const double logical = lf.height == 0 ? 16.0 : std::abs(double(lf.height));
    int pixels = std::max(1, int(std::lround(logical * scale)));
    std::string key = faceKey(lf.faceName) + '|' + std::to_string(pixels) + '|' +
                      std::to_string(lf.weight) + (lf.italic ? "i" : "") +
                      (lf.underline ? "u" : "") + (lf.strikeOut ? "s" : "") +
                      (lf.height > 0 ? "c" : "") + std::to_string(lf.charSet);
    std::lock_guard<std::mutex> lock(g_fontMutex);
    auto it = fontCache().find(key);
    if (it != fontCache().end())
        return it->second;
    QFont font(qtFamily(lf.faceName));
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(pixels);
    if (lf.height > 0) {
        // A positive height is the cell height: scale the em so that ascent + descent fits.
        QFontMetricsF probe(font);
        const double cell = probe.ascent() + probe.descent();
        if (cell > 0)
            font.setPixelSize(std::max(1, int(std::lround(pixels * pixels / cell))));
    }
    const int weight = lf.weight <= 0 ? 400 : std::clamp(lf.weight, 100, 900);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(lf.italic);
    font.setUnderline(lf.underline);
    font.setStrikeOut(lf.strikeOut);
    auto m = std::make_shared<FontMetrics>();
    QFontMetricsF fm(font);
    m->ascent = int(std::ceil(fm.ascent()));
    m->descent = int(std::ceil(fm.descent()));
    m->height = m->ascent + m->descent;
    m->internalLeading = std::max(0, m->height - font.pixelSize());
    m->externalLeading = std::max(0, int(std::lround(fm.leading())));
    for (int c = 0; c < 256; ++c) {
        const char ch = char(c);
        QString s = c < 32 ? QString(QChar(' ')) : pf::toQt(std::string(1, ch));
        if (lf.charSet == SYMBOL_CHARSET && c >= 32) {
            const QChar sym(char16_t(0xF000 + c));
            if (fm.inFont(sym))
                s = QString(sym);
        }
        m->widths[c] = c < 32 ? 0 : int(std::lround(fm.horizontalAdvance(s)));
        m->maxCharWidth = std::max(m->maxCharWidth, m->widths[c]);
    }
    m->aveCharWidth = int(std::lround(fm.averageCharWidth()));
    CachedFont entry{font, m};
    return fontCache().emplace(key, std::move(entry)).first->second;
}

QColor qcolour(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QString deviceText(const std::string& text, const LogFont& lf, const QFont& font) {
    if (lf.charSet != SYMBOL_CHARSET)
        return pf::toQt(text);
    QFontMetricsF fm(font);
    QString out;
    for (unsigned char c : text) {
        const QChar sym(char16_t(0xF000 + c));
        out += fm.inFont(sym) ? sym : pf::toQt(std::string(1, char(c))).at(0);
    }
    return out;
}

} // namespace

std::string substituteFace(const std::string& face) {
    struct Sub {
        const char* from;
        const char* to[3];
    };
    static const Sub kSubs[] = {
        {"ARIAL", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
        {"MS SANS SERIF", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
        {"HELVETICA", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
        {"SYSTEM", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
        {"TIMES NEW ROMAN", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
        {"TIMES", {"Liberation Serif", "Tinos", "DejaVu Serif"}},
        {"COURIER NEW", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
        {"COURIER", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
    };
    static std::map<std::string, std::string> resolved;
    static std::mutex mutex;
    const std::string key = pf::upper(face);
    std::lock_guard<std::mutex> lock(mutex);
    auto it = resolved.find(key);
    if (it != resolved.end())
        return it->second;
    std::string result = face;
    for (const Sub& s : kSubs) {
        if (key == s.from) {
            for (const char* to : s.to) {
                if (QFontDatabase::hasFamily(QString::fromLatin1(to))) {
                    result = to;
                    break;
                }
            }
            break;
        }
    }
    resolved[key] = result;
    return result;
}

Dc::Dc() : m_state(std::make_unique<State>()) {}

Dc::Dc(QPaintDevice* device) : Dc() {
    m_ownPainter = std::make_unique<QPainter>(device);
    m_painter = m_ownPainter.get();
    m_info.dpiX = device->logicalDpiX();
    m_info.dpiY = device->logicalDpiY();
    m_info.width = m_info.physicalWidth = device->width();
    m_info.height = m_info.physicalHeight = device->height();
    m_info.bitsPixel = device->depth();
}

Dc::Dc(QPainter* painter) : Dc() {
    m_painter = painter;
    if (QPaintDevice* device = painter ? painter->device() : nullptr) {
        m_info.dpiX = device->logicalDpiX();
        m_info.dpiY = device->logicalDpiY();
        m_info.width = m_info.physicalWidth = device->width();
        m_info.height = m_info.physicalHeight = device->height();
        m_info.bitsPixel = device->depth();
    }
}

Dc::~Dc() {
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
}

const Pen& Dc::pen() const {
    return m_state->pen;
}
const Brush& Dc::brush() const {
    return m_state->brush;
}
unsigned Dc::textAlign() const {
    return m_state->textAlign;
}
COLORREF Dc::bkColor() const {
    return m_state->bkColour;
}
int Dc::bkMode() const {
    return m_state->bkMode;
}
Point Dc::currentPosition() const {
    return m_state->current;
}
QPainter* Dc::painter() const {
    return m_painter;
}

int Dc::setMapMode(int mode) {
    const int old = m_state->mapMode;
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    m_state->mapMode = mode;
    if (mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) {
        const Extent w = fixedWindowExtent(mode);
        m_state->windowExt = w;
        // The fixed modes map their unit per inch onto the device resolution.
        m_state->viewportExt = mode == MM_TEXT ? Extent{1, 1} : Extent{m_info.dpiX, m_info.dpiY};
    }
    return old;
}

int Dc::mapMode() const {
    return m_state->mapMode;
}

Point Dc::setWindowOrg(int x, int y) {
    const Point old = m_state->windowOrg;
    m_state->windowOrg = {x, y};
    return old;
}

Point Dc::setViewportOrg(int x, int y) {
    const Point old = m_state->viewportOrg;
    m_state->viewportOrg = {x, y};
    return old;
}

Point Dc::offsetViewportOrg(int dx, int dy) {
    const Point old = m_state->viewportOrg;
    m_state->viewportOrg = {old.x + dx, old.y + dy};
    return old;
}

Point Dc::offsetWindowOrg(int dx, int dy) {
    const Point old = m_state->windowOrg;
    m_state->windowOrg = {old.x + dx, old.y + dy};
    return old;
}

Extent Dc::setWindowExt(int cx, int cy) {
    const Extent old = m_state->windowExt;
    if ((m_state->mapMode == MM_ISOTROPIC || m_state->mapMode == MM_ANISOTROPIC) && cx && cy)
        m_state->windowExt = {cx, cy};
    return old;
}

Extent Dc::setViewportExt(int cx, int cy) {
    const Extent old = m_state->viewportExt;
    if ((m_state->mapMode == MM_ISOTROPIC || m_state->mapMode == MM_ANISOTROPIC) && cx && cy) {
        m_state->viewportExt = {cx, cy};
        if (m_state->mapMode == MM_ISOTROPIC) {
            // Keep one unit the same length on both axes: shrink the larger scale.
            const double sx = double(cx) / m_state->windowExt.cx;
            const double sy = double(cy) / m_state->windowExt.cy;
            if (std::abs(sx) > std::abs(sy))
                m_state->viewportExt.cx =
                    int(std::lround(m_state->windowExt.cx * std::abs(sy) * (sx < 0 ? -1 : 1)));
            else
                m_state->viewportExt.cy =
                    int(std::lround(m_state->windowExt.cy * std::abs(sx) * (sy < 0 ? -1 : 1)));
        }
    }
    return old;
}

Point Dc::windowOrg() const {
    return m_state->windowOrg;
}
Point Dc::viewportOrg() const {
    return m_state->viewportOrg;
}

Point Dc::lpToDp(Point p) const {
    const State& s = *m_state;
    const long long x = (long long)(p.x - s.windowOrg.x) * s.viewportExt.cx;
    const long long y = (long long)(p.y - s.windowOrg.y) * s.viewportExt.cy;
    return {int(std::llround(double(x) / s.windowExt.cx)) + s.viewportOrg.x,
            int(std::llround(double(y) / s.windowExt.cy)) + s.viewportOrg.y};
}

Point Dc::dpToLp(Point p) const {
    const State& s = *m_state;
    const long long x = (long long)(p.x - s.viewportOrg.x) * s.windowExt.cx;
    const long long y = (long long)(p.y - s.viewportOrg.y) * s.windowExt.cy;
    return {int(std::llround(double(x) / s.viewportExt.cx)) + s.windowOrg.x,
            int(std::llround(double(y) / s.viewportExt.cy)) + s.windowOrg.y};
}

Rect Dc::lpToDp(const Rect& r) const {
    const Point a = lpToDp(Point{r.left, r.top});
    const Point b = lpToDp(Point{r.right, r.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

double Dc::scaleX() const {
    return std::abs(double(m_state->viewportExt.cx) / m_state->windowExt.cx);
}
double Dc::scaleY() const {
    return std::abs(double(m_state->viewportExt.cy) / m_state->windowExt.cy);
}

COLORREF Dc::setTextColor(COLORREF colour) {
    std::swap(m_state->textColour, colour);
    return colour;
}
COLORREF Dc::textColor() const {
    return m_state->textColour;
}
COLORREF Dc::setBkColor(COLORREF colour) {
    std::swap(m_state->bkColour, colour);
    return colour;
}
int Dc::setBkMode(int mode) {
    std::swap(m_state->bkMode, mode);
    return mode;
}
unsigned Dc::setTextAlign(unsigned align) {
    std::swap(m_state->textAlign, align);
    return align;
}
LogFont Dc::selectFont(const LogFont& font) {
    LogFont old = m_state->font;
    m_state->font = font;
    return old;
}
const LogFont& Dc::font() const {
    return m_state->font;
}
Pen Dc::selectPen(const Pen& pen) {
    Pen old = m_state->pen;
    m_state->pen = pen;
    return old;
}
Brush Dc::selectBrush(const Brush& brush) {
    Brush old = m_state->brush;
    m_state->brush = brush;
    return old;
}

std::shared_ptr<const FontMetrics> Dc::fontMetrics() const {
    return deviceFont(m_state->font, scaleY()).metrics;
}

TextMetrics Dc::textMetrics() const {
    const FontMetrics& m = *fontMetrics();
    const double s = scaleY() > 0 ? scaleY() : 1;
    auto l = [s](int v) { return int(std::lround(v / s)); };
    TextMetrics tm;
    tm.ascent = l(m.ascent);
    tm.descent = l(m.descent);
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = l(m.internalLeading);
    tm.externalLeading = l(m.externalLeading);
    tm.aveCharWidth = int(std::lround(m.aveCharWidth / (scaleX() > 0 ? scaleX() : 1)));
    tm.maxCharWidth = int(std::lround(m.maxCharWidth / (scaleX() > 0 ? scaleX() : 1)));
    return tm;
}

Extent Dc::textExtent(const char* text, std::size_t length) const {
    const FontMetrics& m = *fontMetrics();
    long long w = 0;
    for (std::size_t i = 0; i < length; ++i)
        w += m.widths[static_cast<unsigned char>(text[i])];
    const double sx = scaleX() > 0 ? scaleX() : 1, sy = scaleY() > 0 ? scaleY() : 1;
    return {int(std::llround(double(w) / sx)), int(std::lround(m.height / sy))};
}

Extent Dc::textExtent(const std::string& text) const {
    return textExtent(text.data(), text.size());
}

void Dc::textOutDevice(int x, int y, const std::string& text) {
    if (!m_painter || text.empty())
        return;
    const State& s = *m_state;
    const CachedFont& cf = deviceFont(s.font, scaleY());
    long long w = 0;
    for (unsigned char c : text)
        w += cf.metrics->widths[c];
    int left = x;
    if ((s.textAlign & TA_CENTER) == TA_CENTER)
        left = x - int(w / 2);
    else if (s.textAlign & TA_RIGHT)
        left = x - int(w);
    int baseline = y + cf.metrics->ascent;
    if ((s.textAlign & TA_BASELINE) == TA_BASELINE)
        baseline = y;
    else if (s.textAlign & TA_BOTTOM)
        baseline = y - cf.metrics->descent;
    if (s.bkMode == OPAQUE)
        m_painter->fillRect(QRect(left, baseline - cf.metrics->ascent, int(w), cf.metrics->height),
                            qcolour(s.bkColour));
    m_painter->setFont(cf.font);
    m_painter->setPen(qcolour(s.textColour));
    m_painter->drawText(QPointF(left, baseline), deviceText(text, s.font, cf.font));
}

void Dc::textOut(int x, int y, const std::string& text) {
    const Point p = lpToDp(Point{x, y});
    textOutDevice(p.x, p.y, text);
}

int Dc::drawText(const std::string& input, Rect& rect, unsigned flags) {
    // Prefix characters: '&' underlines the next character in GDI; here it is dropped, and
    // "&&" stands for one '&'.
    std::string text;
    if (flags & DT_NOPREFIX) {
        text = input;
    } else {
        for (std::size_t i = 0; i < input.size(); ++i) {
            if (input[i] == '&' && i + 1 < input.size())
                ++i;
            else if (input[i] == '&')
                continue;
            text += input[i];
        }
    }
    const TextMetrics tm = textMetrics();
    const int lineH = tm.height;
    const int width = rect.right - rect.left;
    auto extent = [&](const std::string& s) { return textExtent(s).cx; };

    std::vector<std::string> lines;
    if (flags & DT_SINGLELINE) {
        std::string one;
        for (char c : text)
            one += (c == '\r' || c == '\n') ? ' ' : c;
        lines.push_back(one);
    } else {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t nl = text.find_first_of("\r\n", start);
            std::string para = text.substr(start, nl == std::string::npos ? nl : nl - start);
            if (flags & DT_WORDBREAK) {
                // Greedy breaking at spaces; a word wider than the box stands alone.
                std::string line;
                std::size_t i = 0;
                bool any = false;
                while (i < para.size()) {
                    std::size_t j = para.find(' ', i);
                    const std::string word =
                        para.substr(i, j == std::string::npos ? std::string::npos : j - i);
                    const std::string candidate = line.empty() ? word : line + " " + word;
                    if (!line.empty() && extent(candidate) > width) {
                        lines.push_back(line);
                        line = word;
                    } else {
                        line = candidate;
                    }
                    any = true;
                    i = j == std::string::npos ? para.size() : j + 1;
                }
                if (any || para.empty())
                    lines.push_back(line);
            } else {
                lines.push_back(para);
            }
            if (nl == std::string::npos)
                break;
            start =
                nl + ((text[nl] == '\r' && nl + 1 < text.size() && text[nl + 1] == '\n') ? 2 : 1);
        }
    }
    if ((flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) && !lines.empty()) {
        for (std::string& l : lines) {
            if (extent(l) <= width)
                continue;
            if (flags & DT_PATH_ELLIPSIS) {
                // Keep the end (the file name) and cut the middle.
                const std::size_t slash = l.find_last_of("/\\");
                std::string tail = slash == std::string::npos ? l : l.substr(slash);
                std::string head = slash == std::string::npos ? std::string() : l.substr(0, slash);
                while (!head.empty() && extent(head + "..." + tail) > width)
                    head.pop_back();
                l = head + "..." + tail;
            } else {
                while (!l.empty() && extent(l + "...") > width)
                    l.pop_back();
                l += "...";
            }
        }
    }
    int widest = 0;
    for (const std::string& l : lines)
        widest = std::max(widest, extent(l));
    const int total = int(lines.size()) * lineH;
    // Under a y-up mapping (MM_TWIPS and kin) the rectangle's top is its larger y and lines
    // run towards smaller y.
    const int down = (m_state->windowExt.cy < 0) == (m_state->viewportExt.cy < 0) ? 1 : -1;
    if (flags & DT_CALCRECT) {
        rect.right = rect.left + widest;
        rect.bottom = rect.top + down * total;
        return total;
    }
    int y = rect.top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            y = rect.top + down * ((rect.bottom - rect.top) * down - lineH) / 2;
        else if (flags & DT_BOTTOM)
            y = rect.bottom - down * lineH;
    }
    const int saved = saveDC();
    if (!(flags & DT_NOCLIP))
        intersectClipRect(rect);
    setTextAlign(TA_LEFT | TA_TOP);
    for (const std::string& l : lines) {
        int x = rect.left;
        const int w = extent(l);
        if (flags & DT_CENTER)
            x = rect.left + (width - w) / 2;
        else if (flags & DT_RIGHT)
            x = rect.right - w;
        textOut(x, y, l);
        y += down * lineH;
    }
    restoreDC(saved);
    return total;
}

void Dc::moveTo(int x, int y) {
    m_state->current = {x, y};
}

namespace {
QPen qpen(const Pen& pen, double scale) {
    if (pen.style == PS_NULL)
        return QPen(Qt::NoPen);
    const int w = pen.width <= 0 ? 1 : std::max(1, int(std::lround(pen.width * scale)));
    QPen p(qcolour(pen.colour), w);
    // Styled pens wider than one pixel draw solid, as GDI does.
    if (w == 1) {
        switch (pen.style) {
        case PS_DASH:
            p.setStyle(Qt::DashLine);
            break;
        case PS_DOT:
            p.setStyle(Qt::DotLine);
            break;
        case PS_DASHDOT:
            p.setStyle(Qt::DashDotLine);
            break;
        case PS_DASHDOTDOT:
            p.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
    }
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}
QBrush qbrush(const Brush& b) {
    return b.null ? QBrush(Qt::NoBrush) : QBrush(qcolour(b.colour));
}
} // namespace

void Dc::lineTo(int x, int y) {
    const Point a = lpToDp(m_state->current);
    const Point b = lpToDp(Point{x, y});
    m_state->current = {x, y};
    if (!m_painter)
        return;
    m_painter->setPen(qpen(m_state->pen, scaleX()));
    m_painter->drawLine(a.x, a.y, b.x, b.y);
}

void Dc::rectangle(const Rect& r) {
    if (!m_painter)
        return;
    const Rect d = lpToDp(r);
    if (!m_state->brush.null)
        m_painter->fillRect(QRect(d.left, d.top, d.width(), d.height()),
                            qcolour(m_state->brush.colour));
    if (m_state->pen.style != PS_NULL) {
        m_painter->setPen(qpen(m_state->pen, scaleX()));
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawRect(QRect(d.left, d.top, d.width() - 1, d.height() - 1));
    }
}

void Dc::fillRect(const Rect& r, COLORREF colour) {
    if (!m_painter)
        return;
    const Rect d = lpToDp(r);
    m_painter->fillRect(QRect(d.left, d.top, d.width(), d.height()), qcolour(colour));
}

void Dc::ellipse(const Rect& r) {
    if (!m_painter)
        return;
    const Rect d = lpToDp(r);
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    m_painter->setPen(qpen(m_state->pen, scaleX()));
    m_painter->setBrush(qbrush(m_state->brush));
    m_painter->drawEllipse(QRectF(d.left, d.top, d.width() - 1, d.height() - 1));
    m_painter->setRenderHint(QPainter::Antialiasing, false);
}

void Dc::polygon(const std::vector<Point>& points) {
    if (!m_painter || points.empty())
        return;
    QPolygon poly;
    for (const Point& p : points) {
        const Point d = lpToDp(p);
        poly << QPoint(d.x, d.y);
    }
    m_painter->setPen(qpen(m_state->pen, scaleX()));
    m_painter->setBrush(qbrush(m_state->brush));
    m_painter->drawPolygon(poly, Qt::WindingFill);
}

void Dc::roundRect(const Rect& r, int ellipseWidth, int ellipseHeight) {
    if (!m_painter)
        return;
    const Rect d = lpToDp(r);
    // GDI takes the corner ellipse's diameters; Qt takes radii.
    m_painter->setPen(qpen(m_state->pen, scaleX()));
    m_painter->setBrush(qbrush(m_state->brush));
    m_painter->drawRoundedRect(QRectF(d.left, d.top, d.width() - 1, d.height() - 1),
                               ellipseWidth * scaleX() / 2, ellipseHeight * scaleY() / 2);
}

void Dc::drawImage(const Rect& r, const QImage& image, COLORREF transparent) {
    if (!m_painter)
        return;
    const Rect d = lpToDp(r);
    const QRect target(d.left, d.top, d.width(), d.height());
    if (transparent == CLR_INVALID) {
        m_painter->drawImage(target, image);
        return;
    }
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(GetRValue(transparent), GetGValue(transparent), GetBValue(transparent));
    for (int y = 0; y < masked.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
        }
    }
    m_painter->drawImage(target, masked);
}

void Dc::setPixel(int x, int y, COLORREF colour) {
    if (!m_painter)
        return;
    const Point d = lpToDp(Point{x, y});
    m_painter->fillRect(QRect(d.x, d.y, 1, 1), qcolour(colour));
}

void Dc::applyClip() {
    if (!m_painter)
        return;
    if (m_state->clipped)
        m_painter->setClipRect(m_state->clip);
    else
        m_painter->setClipping(false);
}

void Dc::intersectClipRect(const Rect& r) {
    const Rect d = lpToDp(r);
    const QRect q(d.left, d.top, d.width(), d.height());
    m_state->clip = m_state->clipped ? m_state->clip.intersected(q) : q;
    m_state->clipped = true;
    applyClip();
}

int Dc::saveDC() {
    m_saved.push_back(*m_state);
    return int(m_saved.size());
}

bool Dc::restoreDC(int level) {
    if (level < 0)
        level = int(m_saved.size()) + 1 + level;
    if (level < 1 || level > int(m_saved.size()))
        return false;
    *m_state = m_saved[std::size_t(level - 1)];
    m_saved.resize(std::size_t(level - 1));
    applyClip();
    return true;
}

int Dc::deviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
        return m_info.dpiX;
    case LOGPIXELSY:
        return m_info.dpiY;
    case HORZRES:
        return m_info.width;
    case VERTRES:
        return m_info.height;
    case PHYSICALWIDTH:
        return m_info.physicalWidth;
    case PHYSICALHEIGHT:
        return m_info.physicalHeight;
    case PHYSICALOFFSETX:
        return m_info.offsetX;
    case PHYSICALOFFSETY:
        return m_info.offsetY;
    case HORZSIZE:
        return m_info.dpiX ? m_info.width * 254 / (m_info.dpiX * 10) : 0;
    case VERTSIZE:
        return m_info.dpiY ? m_info.height * 254 / (m_info.dpiY * 10) : 0;
    case BITSPIXEL:
        return m_info.bitsPixel;
    case NUMCOLORS:
        return m_info.bitsPixel > 8 ? -1 : (1 << m_info.bitsPixel);
    default:
        return 0;
    }
}

void Dc::setDeviceInfo(const DeviceInfo& info) {
    m_info = info;
}
const Dc::DeviceInfo& Dc::deviceInfo() const {
    return m_info;
}

} // namespace pf
