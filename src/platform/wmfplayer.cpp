#include "platform/wmfplayer.h"

#include "platform/dc.h"

#include <algorithm>
#include <set>
#include <variant>

namespace pf {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kFaceSize = 32;
constexpr unsigned ETO_OPAQUE = 0x2;
constexpr unsigned ETO_CLIPPED = 0x4;

std::uint16_t u16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t u32(const std::uint8_t* p) {
    return std::uint32_t(u16(p)) | (std::uint32_t(u16(p + 2)) << 16);
}
int s16(std::uint16_t w) {
    return int(std::int16_t(w));
}

// Bytes stored in words, low byte first.
std::string bytesOf(const std::vector<std::uint16_t>& words, std::size_t firstWord,
                    std::size_t count) {
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t w = words[firstWord + i / 2];
        out.push_back(char(i % 2 ? w >> 8 : w & 0xFF));
    }
    return out;
}
void putBytes(std::vector<std::uint16_t>& words, const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
        words.push_back(std::uint16_t(lo | (hi << 8)));
    }
}
std::uint16_t word(int v) {
    return std::uint16_t(std::int16_t(std::clamp(v, -32768, 32767)));
}
COLORREF colourAt(const std::vector<std::uint16_t>& p, std::size_t i) {
    return (COLORREF(p[i]) | (COLORREF(p[i + 1]) << 16)) & 0x00FFFFFFu;
}
Rect rectOf(const std::vector<std::uint16_t>& p, std::size_t i) {
    // Stored bottom, right, top, left.
    Rect r{s16(p[i + 3]), s16(p[i + 2]), s16(p[i + 1]), s16(p[i])};
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

// The playback's object table: a created object takes the lowest free slot.
class ObjectTable {
public:
    using Object = std::variant<std::monostate, LogFont, Pen, Brush>;
    explicit ObjectTable(int size) : m_size(size) {}

    void add(Object object) {
        int slot;
        if (!m_free.empty()) {
            slot = *m_free.begin();
            m_free.erase(m_free.begin());
        } else if (int(m_objects.size()) < m_size) {
            slot = int(m_objects.size());
            m_objects.emplace_back();
        } else {
            return; // table full: the object is not made, as a player refuses it
        }
        m_objects[std::size_t(slot)] = std::move(object);
    }
    const Object* find(int slot) const {
        if (slot < 0 || std::size_t(slot) >= m_objects.size())
            return nullptr;
        const Object& o = m_objects[std::size_t(slot)];
        return std::holds_alternative<std::monostate>(o) ? nullptr : &o;
    }
    void remove(int slot) {
        if (!find(slot))
            return;
        m_objects[std::size_t(slot)] = std::monostate{};
        m_free.insert(slot);
    }

private:
    int m_size;
    std::vector<Object> m_objects;
    std::set<int> m_free;
};

void drawText(Dc& dc, const WmfRecord::Text& t) {
    if (t.advances.empty() || (dc.textAlign() & (TA_CENTER | TA_UPDATECP)) != 0) {
        dc.textOut(t.x, t.y, t.text);
        return;
    }
    int x = t.x;
    for (std::size_t i = 0; i < t.text.size(); ++i) {
        dc.textOut(x, t.y, std::string(1, t.text[i]));
        x += i < t.advances.size() ? t.advances[i] : 0;
    }
}

void playRecord(const WmfRecord& r, Dc& dc, ObjectTable& objects, int& saves) {
    const auto& p = r.params;
    const auto has = [&](std::size_t n) { return p.size() >= n; };
    switch (r.function) {
    case WmfPlayer::SAVEDC:
        dc.saveDC();
        ++saves;
        break;
    case WmfPlayer::RESTOREDC:
        // Only levels the metafile saved itself: the player's own save stays below them.
        if (has(1) && s16(p[0]) < 0 && -s16(p[0]) <= saves) {
            dc.restoreDC(s16(p[0]));
            saves += s16(p[0]);
        }
        break;
    case WmfPlayer::SETBKMODE:
        if (has(1) && (p[0] == TRANSPARENT || p[0] == OPAQUE))
            dc.setBkMode(p[0]);
        break;
    case WmfPlayer::SETTEXTALIGN:
        if (has(1))
            dc.setTextAlign(p[0]);
        break;
    case WmfPlayer::SETTEXTCOLOR:
        if (has(2))
            dc.setTextColor(colourAt(p, 0));
        break;
    case WmfPlayer::SETBKCOLOR:
        if (has(2))
            dc.setBkColor(colourAt(p, 0));
        break;
    case WmfPlayer::MOVETO:
        if (has(2))
            dc.moveTo(s16(p[1]), s16(p[0]));
        break;
    case WmfPlayer::LINETO:
        if (has(2))
            dc.lineTo(s16(p[1]), s16(p[0]));
        break;
    case WmfPlayer::RECTANGLE:
        if (has(4))
            dc.rectangle(rectOf(p, 0));
        break;
    case WmfPlayer::ELLIPSE:
        if (has(4))
            dc.ellipse(rectOf(p, 0));
        break;
    case WmfPlayer::ROUNDRECT:
        if (has(6))
            dc.roundRect(rectOf(p, 2), s16(p[1]), s16(p[0]));
        break;
    case WmfPlayer::POLYGON:
    case WmfPlayer::POLYLINE: {
        if (!has(1))
            break;
        const std::size_t n = p[0];
        if (n == 0 || !has(1 + 2 * n))
            break;
        std::vector<Point> points;
        for (std::size_t i = 0; i < n; ++i)
            points.push_back({s16(p[1 + 2 * i]), s16(p[2 + 2 * i])});
        if (r.function == WmfPlayer::POLYGON) {
            dc.polygon(points);
        } else {
            const Point keep = dc.currentPosition();
            dc.moveTo(points[0].x, points[0].y);
            for (std::size_t i = 1; i < n; ++i)
                dc.lineTo(points[i].x, points[i].y);
            dc.moveTo(keep.x, keep.y);
        }
        break;
    }
    case WmfPlayer::TEXTOUT:
    case WmfPlayer::EXTTEXTOUT: {
        WmfRecord::Text t;
        if (!r.text(t))
            break;
        if (r.function == WmfPlayer::EXTTEXTOUT && (t.options & ETO_OPAQUE))
            dc.fillRect(t.rect, dc.bkColor());
        drawText(dc, t);
        break;
    }
    case WmfPlayer::CREATEFONTINDIRECT: {
        WmfRecord::Font f;
        if (r.font(f))
            objects.add(f.font);
        else
            objects.add(LogFont{}); // still takes its slot, so later indices hold
        break;
    }
    case WmfPlayer::CREATEPENINDIRECT:
        if (has(5))
            objects.add(Pen{int(p[0]), s16(p[1]), colourAt(p, 3)});
        else
            objects.add(Pen{});
        break;
    case WmfPlayer::CREATEBRUSHINDIRECT:
        if (has(3))
            objects.add(Brush{p[0] == 1, colourAt(p, 1)});
        else
            objects.add(Brush{});
        break;
    case WmfPlayer::SELECTOBJECT:
        if (!has(1))
            break;
        if (const auto* o = objects.find(p[0])) {
            if (const auto* font = std::get_if<LogFont>(o))
                dc.selectFont(*font);
            else if (const auto* pen = std::get_if<Pen>(o))
                dc.selectPen(*pen);
            else if (const auto* brush = std::get_if<Brush>(o))
                dc.selectBrush(*brush);
        }
        break;
    case WmfPlayer::DELETEOBJECT:
        if (has(1))
            objects.remove(p[0]);
        break;
    default:
        break;
    }
}

} // namespace

bool WmfRecord::font(Font& out) const {
    if (function != WmfPlayer::CREATEFONTINDIRECT || params.size() < 9)
        return false;
    const auto& p = params;
    out.font.height = s16(p[0]);
    out.width = s16(p[1]);
    out.escapement = s16(p[2]);
    out.orientation = s16(p[3]);
    out.font.weight = s16(p[4]);
    out.font.italic = (p[5] & 0xFF) != 0;
    out.font.underline = (p[5] >> 8) != 0;
    out.font.strikeOut = (p[6] & 0xFF) != 0;
    out.font.charSet = p[6] >> 8;
    out.outPrecision = p[7] & 0xFF;
    out.clipPrecision = p[7] >> 8;
    out.quality = p[8] & 0xFF;
    out.pitchAndFamily = p[8] >> 8;
    const std::size_t faceBytes = std::min<std::size_t>((p.size() - 9) * 2, kFaceSize);
    std::string face = bytesOf(p, 9, faceBytes);
    face.resize(std::min(face.find('\0'), face.size()));
    out.font.faceName = face;
    return true;
}

void WmfRecord::setFont(const Font& f) {
    function = WmfPlayer::CREATEFONTINDIRECT;
    params = {word(f.font.height), word(f.width), word(f.escapement), word(f.orientation),
              word(f.font.weight)};
    params.push_back(std::uint16_t((f.font.italic ? 1 : 0) | ((f.font.underline ? 1 : 0) << 8)));
    params.push_back(std::uint16_t((f.font.strikeOut ? 1 : 0) | ((f.font.charSet & 0xFF) << 8)));
    params.push_back(std::uint16_t((f.outPrecision & 0xFF) | ((f.clipPrecision & 0xFF) << 8)));
    params.push_back(std::uint16_t((f.quality & 0xFF) | ((f.pitchAndFamily & 0xFF) << 8)));
    std::string face = f.font.faceName.substr(0, kFaceSize - 1);
    face.resize(kFaceSize, '\0');
    putBytes(params, face);
}

bool WmfRecord::text(Text& out) const {
    const auto& p = params;
    out = Text{};
    if (function == WmfPlayer::TEXTOUT) {
        // Length, the string padded to an even length, then y and x.
        if (p.empty())
            return false;
        const int length = s16(p[0]);
        if (length < 0)
            return false;
        const std::size_t words = (std::size_t(length) + 1) / 2;
        if (p.size() < 1 + words + 2)
            return false;
        out.text = bytesOf(p, 1, std::size_t(length));
        out.y = s16(p[1 + words]);
        out.x = s16(p[2 + words]);
        return true;
    }
    if (function != WmfPlayer::EXTTEXTOUT || p.size() < 4)
        return false;
    // y, x, length, options, the clip rectangle when the options ask for one, the string
    // padded to an even length, then the advances when the record is long enough.
    out.y = s16(p[0]);
    out.x = s16(p[1]);
    const int length = s16(p[2]);
    out.options = p[3];
    if (length < 0)
        return false;
    std::size_t at = 4;
    if (out.options & (ETO_OPAQUE | ETO_CLIPPED)) {
        if (p.size() < at + 4)
            return false;
        out.rect = {s16(p[at]), s16(p[at + 1]), s16(p[at + 2]), s16(p[at + 3])};
        at += 4;
    }
    const std::size_t words = (std::size_t(length) + 1) / 2;
    if (p.size() < at + words)
        return false;
    out.text = bytesOf(p, at, std::size_t(length));
    at += words;
    if (length > 0 && p.size() >= at + std::size_t(length) && p[at] != 0) {
        for (int i = 0; i < length; ++i)
            out.advances.push_back(s16(p[at + std::size_t(i)]));
    }
    return true;
}

void WmfRecord::setText(const Text& t) {
    params.clear();
    if (function == WmfPlayer::TEXTOUT) {
        params.push_back(word(int(t.text.size())));
        putBytes(params, t.text);
        params.push_back(word(t.y));
        params.push_back(word(t.x));
        return;
    }
    function = WmfPlayer::EXTTEXTOUT;
    params = {word(t.y), word(t.x), word(int(t.text.size())), std::uint16_t(t.options)};
    if (t.options & (ETO_OPAQUE | ETO_CLIPPED)) {
        for (int v : {t.rect.left, t.rect.top, t.rect.right, t.rect.bottom})
            params.push_back(word(v));
    }
    putBytes(params, t.text);
    if (!t.advances.empty()) {
        for (std::size_t i = 0; i < t.text.size(); ++i)
            params.push_back(word(i < t.advances.size() ? t.advances[i] : 0));
    }
}

bool WmfPlayer::load(const void* data, std::size_t size) {
    m_loaded = false;
    m_records.clear();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (!bytes || size < kPlaceableSize + kHeaderSize || u32(bytes) != kPlaceableKey)
        return false;
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= u16(bytes + i);
    if (checksum != u16(bytes + 20))
        return false;
    m_bounds = {s16(u16(bytes + 6)), s16(u16(bytes + 8)), s16(u16(bytes + 10)),
                s16(u16(bytes + 12))};
    m_inch = u16(bytes + 14);

    const std::uint8_t* meta = bytes + kPlaceableSize;
    const std::size_t available = size - kPlaceableSize;
    const std::uint16_t type = u16(meta);
    const std::uint16_t headerWords = u16(meta + 2);
    const std::uint64_t total = std::uint64_t(u32(meta + 6)) * 2;
    if ((type != 1 && type != 2) || headerWords != kHeaderSize / 2 || total < kHeaderSize ||
        total > available)
        return false;
    m_maxObjects = u16(meta + 10);

    std::size_t at = kHeaderSize;
    while (at + 6 <= total) {
        const std::uint64_t recordBytes = std::uint64_t(u32(meta + at)) * 2;
        if (recordBytes < 6 || recordBytes > total - at)
            break; // a record that leaves the metafile ends it
        WmfRecord r;
        r.function = u16(meta + at + 4);
        if (r.function == EOF_)
            break;
        const std::size_t words = std::size_t((recordBytes - 6) / 2);
        r.params.reserve(words);
        for (std::size_t i = 0; i < words; ++i)
            r.params.push_back(u16(meta + at + 6 + 2 * i));
        m_records.push_back(std::move(r));
        at += std::size_t(recordBytes);
    }
    m_loaded = true;
    return true;
}

bool WmfPlayer::play(Dc& dc, const Hook& hook) const {
    if (!m_loaded)
        return false;
    const int saved = dc.saveDC();
    ObjectTable objects(m_maxObjects);
    int saves = 0;
    for (const WmfRecord& stored : m_records) {
        WmfRecord r = stored;
        if (hook && !hook(r, dc))
            continue;
        playRecord(r, dc, objects, saves);
    }
    dc.restoreDC(saved);
    return true;
}

} // namespace pf
