#include "forms/formlayout.h"

#include <algorithm>
#include <cstring>

namespace qv {
namespace {

// Reads little-endian values at fixed offsets of one record; the caller has checked that the
// whole record lies inside the bytes.
class RecordReader {
public:
    explicit RecordReader(const std::uint8_t* p) : m_p(p) {}
    std::uint8_t u8(std::size_t at) const { return m_p[at]; }
    std::uint16_t u16(std::size_t at) const {
        return static_cast<std::uint16_t>(m_p[at] | (m_p[at + 1] << 8));
    }
    std::uint32_t u32(std::size_t at) const {
        return static_cast<std::uint32_t>(m_p[at]) |
               (static_cast<std::uint32_t>(m_p[at + 1]) << 8) |
               (static_cast<std::uint32_t>(m_p[at + 2]) << 16) |
               (static_cast<std::uint32_t>(m_p[at + 3]) << 24);
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    LayoutFont font(std::size_t at) const { return {u8(at), u8(at + 1), u8(at + 2), u8(at + 3)}; }
    LayoutBox box(std::size_t at) const {
        return {i32(at), i32(at + 4), i32(at + 8), i32(at + 12)};
    }
    // A NUL-terminated string in a field of `size` bytes; a field without NUL is taken whole.
    std::string str(std::size_t at, std::size_t size) const {
        const char* s = reinterpret_cast<const char*>(m_p + at);
        const void* nul = std::memchr(s, 0, size);
        return std::string(s, nul ? static_cast<const char*>(nul) - s : size);
    }

private:
    const std::uint8_t* m_p;
};

// Fills a zeroed record of fixed size.
class RecordWriter {
public:
    explicit RecordWriter(std::size_t size) : m_bytes(size, '\0') {}
    void u8(std::size_t at, unsigned v) { m_bytes[at] = static_cast<char>(v & 0xFF); }
    void u16(std::size_t at, unsigned v) {
        u8(at, v);
        u8(at + 1, v >> 8);
    }
    void u32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            u8(at + i, v >> (8 * i));
    }
    void i32(std::size_t at, std::int32_t v) { u32(at, static_cast<std::uint32_t>(v)); }
    void font(std::size_t at, const LayoutFont& f) {
        u8(at, f.face);
        u8(at + 1, f.points);
        u8(at + 2, f.style);
        u8(at + 3, f.weight);
    }
    void box(std::size_t at, const LayoutBox& b) {
        i32(at, b.top);
        i32(at + 4, b.left);
        i32(at + 8, b.height);
        i32(at + 12, b.width);
    }
    void str(std::size_t at, std::size_t size, const std::string& s) {
        std::size_t n = std::min(s.size(), size - 1);
        std::memcpy(&m_bytes[at], s.data(), n);
    }
    std::string& bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

LayoutRecord Decode(LayoutKind kind, const RecordReader& r) {
    LayoutRecord rec;
    rec.kind = kind;
    switch (kind) {
    case LK_HEADER:
        rec.font = r.font(2);
        rec.pageHeight = r.i32(6);
        rec.pageWidth = r.i32(10);
        rec.bgColor = r.u32(14);
        rec.textColor = r.u32(18);
        rec.pageExtra = r.u32(22);
        break;
    case LK_TEXT:
        rec.frame = r.u8(1) != 0;
        rec.font = r.font(2);
        rec.align = r.u8(6);
        rec.box = r.box(7);
        rec.leaderEnd = r.i32(23);
        rec.opaque = r.u8(27) == 1;
        rec.visible = r.u8(28) != 0;
        rec.bgColor = r.u32(29);
        rec.textColor = r.u32(33);
        rec.text = r.str(39, r.u16(37));
        break;
    case LK_ENTRY:
        rec.frame = r.u8(1) != 0;
        rec.layoutFlags = r.u16(2);
        rec.controlNumber = r.u16(8);
        rec.decimals = r.u8(10);
        rec.align = r.u8(11);
        rec.elementIndex = r.u16(12);
        rec.box = r.box(14);
        rec.visible = r.u8(30) != 0;
        rec.fieldName = r.str(31, kLayoutNameSize);
        rec.bgColor = r.u32(95);
        rec.textColor = r.u32(99);
        break;
    case LK_LINE:
        rec.lineColor = r.u32(1);
        rec.y1 = r.i32(6);
        rec.x1 = r.i32(10);
        rec.y2 = r.i32(14);
        rec.x2 = r.i32(18);
        break;
    case LK_OPTION:
        rec.font = r.font(1);
        rec.visible = r.u8(5) != 0;
        rec.box = r.box(6);
        rec.elementIndex = r.u16(22);
        rec.controlNumber = r.u16(24);
        rec.align = r.u8(26);
        rec.fieldName = r.str(27, kLayoutNameSize);
        rec.label = r.str(91, kLayoutLabelSize);
        rec.group = r.u8(347) == 1;
        rec.bgColor = r.u32(603);
        rec.textColor = r.u32(607);
        break;
    case LK_CHECK:
        rec.font = r.font(1);
        rec.visible = r.u8(5) != 0;
        rec.boxed = r.u8(6) == 1;
        rec.box = r.box(7);
        rec.elementIndex = r.u16(23);
        rec.controlNumber = r.u16(25);
        rec.align = r.u8(27);
        rec.fieldName = r.str(28, kLayoutNameSize);
        rec.label = r.str(92, kLayoutLabelSize);
        rec.group = r.u8(348) == 1;
        rec.textColor = r.u32(604);
        break;
    case LK_CHOICE:
        rec.visible = r.u8(5) != 0;
        rec.box = r.box(6);
        rec.fieldOffset = r.u16(22);
        rec.controlNumber = r.u16(24);
        rec.fieldName = r.str(26, kLayoutNameSize);
        rec.bgColor = r.u32(346);
        break;
    case LK_SHAPE:
        rec.shape = r.u8(1);
        rec.penStyle = r.u8(2);
        rec.penWidth = r.u8(3);
        rec.box = r.box(5);
        rec.penColor = r.u32(23);
        rec.fillColor = r.u32(27);
        break;
    case LK_HOTSPOT:
        rec.box = r.box(6);
        rec.elementIndex = r.u16(22);
        rec.controlNumber = r.u16(24);
        rec.fieldName = r.str(26, kLayoutNameSize);
        break;
    }
    return rec;
}

} // namespace

LayoutBounds Normalize(const LayoutBox& b) {
    // 64-bit sums: a hostile layout may hold extents that overflow 32 bits.
    auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    std::int64_t x2 = std::int64_t(b.left) + b.width;
    std::int64_t y2 = std::int64_t(b.top) + b.height;
    return {clamp(std::min<std::int64_t>(b.left, x2)), clamp(std::max<std::int64_t>(b.top, y2)),
            clamp(std::max<std::int64_t>(b.left, x2)), clamp(std::min<std::int64_t>(b.top, y2))};
}

bool LayoutRecord::isBound() const {
    return kind == LK_ENTRY || kind == LK_OPTION || kind == LK_CHECK || kind == LK_CHOICE ||
           kind == LK_HOTSPOT;
}

std::size_t LayoutRecordSize(std::uint8_t kind, std::size_t textLength) {
    switch (kind) {
    case LK_HEADER:
        return 26;
    case LK_TEXT:
        return 39 + textLength;
    case LK_ENTRY:
        return 107;
    case LK_LINE:
        return 22;
    case LK_OPTION:
        return 615;
    case LK_CHECK:
        return 612;
    case LK_CHOICE:
        return 354;
    case LK_SHAPE:
        return 31;
    case LK_HOTSPOT:
        return 358;
    default:
        return 0;
    }
}

LayoutParse ParseLayout(const std::uint8_t* data, std::size_t size) {
    LayoutParse out;
    std::size_t at = 0;
    while (at < size) {
        const std::uint8_t kind = data[at];
        std::size_t need = LayoutRecordSize(kind);
        if (need == 0 || size - at < need) {
            out.complete = false;
            break;
        }
        if (kind == LK_TEXT) {
            std::size_t n = RecordReader(data + at).u16(37);
            if (n > kLayoutMaxText || size - at < LayoutRecordSize(kind, n)) {
                out.complete = false;
                break;
            }
            need = LayoutRecordSize(kind, n);
        }
        LayoutRecord rec = Decode(static_cast<LayoutKind>(kind), RecordReader(data + at));
        rec.offset = at;
        out.records.push_back(std::move(rec));
        at += need;
    }
    out.stoppedAt = out.complete ? size : at;
    return out;
}

void AppendLayoutRecord(std::string& out, const LayoutRecord& rec) {
    const std::string text = rec.text.substr(0, kLayoutMaxText);
    std::size_t size = LayoutRecordSize(rec.kind, text.size());
    if (size == 0)
        return;
    RecordWriter w(size);
    w.u8(0, rec.kind);
    switch (rec.kind) {
    case LK_HEADER:
        w.font(2, rec.font);
        w.i32(6, rec.pageHeight);
        w.i32(10, rec.pageWidth);
        w.u32(14, rec.bgColor);
        w.u32(18, rec.textColor);
        w.u32(22, rec.pageExtra);
        break;
    case LK_TEXT:
        w.u8(1, rec.frame);
        w.font(2, rec.font);
        w.u8(6, rec.align);
        w.box(7, rec.box);
        w.i32(23, rec.leaderEnd);
        w.u8(27, rec.opaque);
        w.u8(28, rec.visible);
        w.u32(29, rec.bgColor);
        w.u32(33, rec.textColor);
        w.u16(37, static_cast<unsigned>(text.size()));
        std::memcpy(&w.bytes()[39], text.data(), text.size());
        break;
    case LK_ENTRY:
        w.u8(1, rec.frame);
        w.u16(2, rec.layoutFlags);
        w.u16(8, rec.controlNumber);
        w.u8(10, rec.decimals);
        w.u8(11, rec.align);
        w.u16(12, rec.elementIndex);
        w.box(14, rec.box);
        w.u8(30, rec.visible);
        w.str(31, kLayoutNameSize, rec.fieldName);
        w.u32(95, rec.bgColor);
        w.u32(99, rec.textColor);
        break;
    case LK_LINE:
        w.u32(1, rec.lineColor);
        w.i32(6, rec.y1);
        w.i32(10, rec.x1);
        w.i32(14, rec.y2);
        w.i32(18, rec.x2);
        break;
    case LK_OPTION:
        w.font(1, rec.font);
        w.u8(5, rec.visible);
        w.box(6, rec.box);
        w.u16(22, rec.elementIndex);
        w.u16(24, rec.controlNumber);
        w.u8(26, rec.align);
        w.str(27, kLayoutNameSize, rec.fieldName);
        w.str(91, kLayoutLabelSize, rec.label);
        w.u8(347, rec.group);
        w.u32(603, rec.bgColor);
        w.u32(607, rec.textColor);
        break;
    case LK_CHECK:
        w.font(1, rec.font);
        w.u8(5, rec.visible);
        w.u8(6, rec.boxed);
        w.box(7, rec.box);
        w.u16(23, rec.elementIndex);
        w.u16(25, rec.controlNumber);
        w.u8(27, rec.align);
        w.str(28, kLayoutNameSize, rec.fieldName);
        w.str(92, kLayoutLabelSize, rec.label);
        w.u8(348, rec.group);
        w.u32(604, rec.textColor);
        break;
    case LK_CHOICE:
        w.u8(5, rec.visible);
        w.box(6, rec.box);
        w.u16(22, rec.fieldOffset);
        w.u16(24, rec.controlNumber);
        w.str(26, kLayoutNameSize, rec.fieldName);
        w.u32(346, rec.bgColor);
        break;
    case LK_SHAPE:
        w.u8(1, rec.shape);
        w.u8(2, rec.penStyle);
        w.u8(3, rec.penWidth);
        w.box(5, rec.box);
        w.u32(23, rec.penColor);
        w.u32(27, rec.fillColor);
        break;
    case LK_HOTSPOT:
        w.box(6, rec.box);
        w.u16(22, rec.elementIndex);
        w.u16(24, rec.controlNumber);
        w.str(26, kLayoutNameSize, rec.fieldName);
        break;
    }
    out += w.bytes();
}

std::string EncodeLayout(const std::vector<LayoutRecord>& records) {
    std::string out;
    for (const LayoutRecord& rec : records)
        AppendLayoutRecord(out, rec);
    return out;
}

} // namespace qv
