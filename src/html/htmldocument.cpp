#include "html/htmldocument.h"

#include "html/floatmargins.h"
#include "platform/dc.h"
#include "platform/text.h"

#include <QFile>
#include <QImage>

#include <algorithm>

HtmlDocument::HtmlDocument() = default;
HtmlDocument::~HtmlDocument() = default;

void HtmlDocument::clear() {
    anchors.clear();
    links.clear();
    m_body.clear();
    imageMaps.clear();
    initialFocus = nullptr;
    focusCopy = nullptr;
    focusField = 0;
    m_controls.clear();
    forms.clear();
    m_images.clear();
    title.clear();
    backgroundImage.clear();
    baseHref.clear();
    baseTarget.clear();
    textColour = defaultTextColour;
    m_contentWidth = m_contentHeight = 0;
    m_focusedLink = 0;
}

int HtmlDocument::Layout(pf::Dc& dc, int width, int top) {
    int widest = 0;
    const int bottom = qv::layoutList(m_body, dc, top, 0, std::max(width, 1), &widest);
    m_contentWidth = std::max(widest, m_body.empty() ? 0 : width);
    m_contentHeight = bottom - top;
    return m_contentHeight;
}

void HtmlDocument::Draw(pf::Dc& dc, const pf::Rect& visible, int dx, int dy) {
    for (auto& block : m_body) {
        if (block->bottom() < visible.top)
            continue;
        if (block->top() > visible.bottom)
            break;
        block->Draw(dc, visible, dx, dy);
    }
}

int HtmlDocument::HitTestLink(int x, int y, pf::Point* where) const {
    for (const auto& block : m_body) {
        if (y >= block->top() && y < block->bottom()) {
            const int link = block->HitTestLink(x, y, where);
            if (link > 0)
                return link;
        }
    }
    return -1;
}

void HtmlDocument::PlaceControls(int dx, int dy) {
    for (auto& block : m_body)
        block->PlaceControls(dx, dy);
}

const ImageMap* HtmlDocument::findMap(const std::string& name) const {
    for (const auto& m : imageMaps) {
        if (m->name() == name)
            return m.get();
    }
    return nullptr;
}

std::string HtmlDocument::linkUrl(int number) const {
    for (const LinkInfo& l : links) {
        if (l.number == number && !l.isMap)
            return l.url;
    }
    for (const auto& m : imageMaps) {
        for (const ImageMap::Area& a : m->areas()) {
            if (a.link == number)
                return a.url;
        }
    }
    return {};
}

const QImage* HtmlDocument::image(const std::string& name) {
    std::string trimmed = name;
    while (!trimmed.empty() && trimmed.front() == ' ')
        trimmed.erase(trimmed.begin());
    while (!trimmed.empty() && trimmed.back() == ' ')
        trimmed.pop_back();
    const std::string key = pf::upper(trimmed);
    auto it = m_images.find(key);
    if (it != m_images.end())
        return it->second.get();
    auto img = std::make_unique<QImage>();
    const bool hasDot = trimmed.find('.', 1) != std::string::npos;
    auto tryFile = [&](const std::string& path) {
        return !path.empty() && QFile::exists(pf::toQt(path)) && img->load(pf::toQt(path));
    };
    auto tryResource = [&](const std::string& res) {
        for (const char* ext : {".bmp", ".png"}) {
            if (img->load(QStringLiteral(":/bitmaps/") + pf::toQt(res) + QString::fromLatin1(ext)))
                return true;
        }
        return false;
    };
    bool ok = false;
    if (hasDot) {
        ok = tryFile(trimmed) ||
             (!imageFolder.empty() && trimmed.front() != '/' && tryFile(imageFolder + trimmed));
    }
    if (!ok && !key.empty())
        ok = tryResource(key);
    if (!ok && hasDot) {
        // A path whose file name is a resource name with an extension finds that resource.
        const std::size_t dot = key.rfind('.');
        std::size_t start = dot;
        while (start > 0) {
            const char c = key[start - 1];
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '_'))
                break;
            --start;
        }
        if (dot > start)
            ok = tryResource(key.substr(start, dot - start));
    }
    if (!ok || img->isNull())
        img.reset();
    const QImage* result = img.get();
    m_images[key] = std::move(img);
    return result;
}

void HtmlDocument::drawFrame(pf::Dc& dc, const pf::Rect& r, bool sunken) const {
    pf::COLORREF shadow = pf::RGB(128, 128, 128);
    pf::COLORREF light = pf::RGB(255, 255, 255);
    if (m_printing || (backgroundColour & 0xFFFFFF) == 0xFFFFFF)
        light = pf::RGB(192, 192, 192);
    if (m_printing && dc.deviceCaps(pf::BITSPIXEL) == 1)
        shadow = light = pf::RGB(0, 0, 0);
    const pf::COLORREF tl = sunken ? shadow : light;
    const pf::COLORREF br = sunken ? light : shadow;
    if (r.empty())
        return;
    const pf::Pen old = dc.selectPen({pf::PS_SOLID, 1, tl});
    dc.moveTo(r.left, r.bottom - 1);
    dc.lineTo(r.left, r.top);
    dc.lineTo(r.right - 1, r.top);
    dc.selectPen({pf::PS_SOLID, 1, br});
    dc.lineTo(r.right - 1, r.bottom - 1);
    dc.lineTo(r.left, r.bottom - 1);
    dc.selectPen(old);
}

namespace qv {

Colour parseColour(const std::string& value) {
    struct Named {
        const char* name;
        int r, g, b;
    };
    static const Named kNames[] = {
        {"BLACK", 0, 0, 0},       {"SILVER", 192, 192, 192}, {"MAROON", 128, 0, 0},
        {"RED", 255, 0, 0},       {"GREEN", 0, 128, 0},      {"LIME", 0, 255, 0},
        {"OLIVE", 128, 128, 0},   {"YELLOW", 255, 255, 0},   {"NAVY", 0, 0, 128},
        {"BLUE", 0, 0, 255},      {"PURPLE", 128, 0, 128},   {"FUCHSIA", 255, 0, 255},
        {"TEAL", 0, 128, 128},    {"AQUA", 0, 255, 255},     {"GRAY", 128, 128, 128},
        {"WHITE", 255, 255, 255},
    };
    if (value.empty())
        return kNoColour;
    const std::string up = pf::upper(value);
    for (const Named& n : kNames) {
        if (up == n.name)
            return paletteRgb(n.r, n.g, n.b);
    }
    const std::size_t hash = up.find('#');
    const std::string rest = hash == std::string::npos ? up : up.substr(hash + 1);
    unsigned long v = 0;
    std::size_t digits = 0;
    for (char c : rest) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        v = ((v << 4) | unsigned(d)) & 0xFFFFFFFFul;
        ++digits;
    }
    if (digits == 0)
        return kNoColour;
    return paletteRgb(int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255));
}

int layoutList(SectionList& list, pf::Dc& dc, int top, int left, int right, int* widest) {
    FloatMargins margins(left, right);
    int y = top;
    int reach = left;
    for (auto& block : list) {
        y += block->Layout(dc, y, margins);
        reach = std::max(reach, block->extentRight());
    }
    y = std::max(y, margins.lowestBottom());
    if (widest)
        *widest = reach - left;
    return y;
}

void minMaxOfList(SectionList& list, pf::Dc& dc, int& minimum, int& maximum) {
    minimum = maximum = 0;
    for (auto& block : list) {
        int mn = 0, mx = 0;
        block->GetMinMaxWidth(dc, mn, mx);
        minimum = std::max(minimum, mn);
        maximum = std::max(maximum, mx);
    }
}

} // namespace qv
