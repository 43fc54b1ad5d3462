#include "html/imagemap.h"

#include "html/htmltokens.h"
#include "platform/text.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r' || s[a] == '\n'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n'))
        --b;
    return s.substr(a, b - a);
}

} // namespace

bool ImageMap::Area::contains(int x, int y) const {
    switch (shape) {
    case kRect:
        return x >= coords[0] && x <= coords[2] && y >= coords[1] && y <= coords[3];
    case kCircle: {
        const int r = coords[2];
        return x >= coords[0] - r && x <= coords[0] + r && y >= coords[1] - r && y <= coords[1] + r;
    }
    case kPolygon: {
        // Winding rule: a non-zero winding number is inside.
        const std::size_t n = coords.size() / 2;
        int winding = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const long long x0 = coords[2 * i], y0 = coords[2 * i + 1];
            const long long x1 = coords[2 * ((i + 1) % n)], y1 = coords[2 * ((i + 1) % n) + 1];
            const long long cross = (x1 - x0) * (y - y0) - (x - x0) * (y1 - y0);
            if (y0 <= y) {
                if (y1 > y && cross > 0)
                    ++winding;
            } else if (y1 <= y && cross < 0) {
                --winding;
            }
        }
        return winding != 0;
    }
    }
    return false;
}

void ImageMap::addArea(const qv::AttributeList& attrs, int& linkCount) {
    Area area;
    for (const qv::HtmlAttribute& a : attrs) {
        switch (a.id) {
        case qv::att::SHAPE: {
            const std::string s = pf::lower(a.text);
            area.shape = s.rfind("circ", 0) == 0   ? kCircle
                         : s.rfind("poly", 0) == 0 ? kPolygon
                                                   : kRect;
            break;
        }
        case qv::att::COORDS: {
            area.coords.clear();
            std::size_t pos = 0;
            while (area.coords.size() < 200 && pos <= a.text.size()) {
                const std::size_t comma = a.text.find(',', pos);
                const std::string item = trim(a.text.substr(
                    pos, comma == std::string::npos ? std::string::npos : comma - pos));
                if (item.empty())
                    break;
                area.coords.push_back(
                    int(std::clamp(std::strtol(item.c_str(), nullptr, 10), -100000L, 100000L)));
                if (comma == std::string::npos)
                    break;
                pos = comma + 1;
            }
            break;
        }
        case qv::att::HREF:
            area.url = a.text;
            area.link = ++linkCount;
            break;
        case qv::att::NOHREF:
            area.url.clear();
            area.link = 0;
            break;
        case qv::att::TARGET:
            area.target = a.text;
            break;
        default:
            break;
        }
    }
    const std::size_t need = area.shape == kRect ? 4 : area.shape == kCircle ? 3 : 6;
    if (area.coords.size() < need)
        return;
    if (area.shape == kPolygon && area.coords.size() % 2)
        area.coords.pop_back();
    m_areas.push_back(std::move(area));
}

const ImageMap::Area* ImageMap::hit(int x, int y) const {
    for (const Area& a : m_areas) {
        if (a.contains(x, y))
            return a.url.empty() ? nullptr : &a;
    }
    return nullptr;
}
