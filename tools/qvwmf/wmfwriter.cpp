#include "wmfwriter.h"

#include <algorithm>
#include <limits>

namespace qv {
namespace {

std::uint16_t word(int v) {
    const int clamped = std::clamp(v, int(std::numeric_limits<std::int16_t>::min()),
                                   int(std::numeric_limits<std::int16_t>::max()));
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(clamped));
}

void put16(std::string& out, std::uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, std::uint16_t(v & 0xFFFF));
    put16(out, std::uint16_t(v >> 16));
}

// Bytes packed into words, low byte first, padded with a zero byte to an even length.
void putBytes(std::vector<std::uint16_t>& params, const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
        params.push_back(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
}

void putColour(std::vector<std::uint16_t>& params, std::uint32_t colour) {
    params.push_back(std::uint16_t(colour & 0xFFFF));
    params.push_back(std::uint16_t(colour >> 16));
}

} // namespace

WmfWriter::WmfWriter(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                     std::uint16_t unitsPerInch)
    : m_box{left, top, right, bottom}, m_inch(unitsPerInch) {}

int WmfWriter::allocate() {
    const auto free = std::find(m_objects.begin(), m_objects.end(), false);
    const auto index = std::size_t(free - m_objects.begin());
    if (free == m_objects.end())
        m_objects.push_back(true);
    else
        *free = true;
    m_maxObjects = std::max(m_maxObjects, m_objects.size());
    return int(index);
}

void WmfWriter::record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    const auto size = std::uint32_t(3 + params.size());
    put32(m_body, size);
    put16(m_body, function);
    for (std::uint16_t p : params)
        put16(m_body, p);
    m_maxRecord = std::max(m_maxRecord, size);
    ++m_records;
}

int WmfWriter::createFont(const WmfFont& font) {
    std::vector<std::uint16_t> p = {word(font.height), 0, 0, 0, word(font.weight)};
    p.push_back(std::uint16_t((font.italic ? 1 : 0) | ((font.underline ? 1 : 0) << 8)));
    p.push_back(std::uint16_t((font.strikeOut ? 1 : 0) | (font.charSet << 8)));
    p.push_back(0); // output and clip precision: defaults
    p.push_back(0); // quality and pitch-and-family: defaults
    std::string face = font.face.substr(0, kWmfFaceSize - 1);
    face.resize(kWmfFaceSize, '\0');
    putBytes(p, face);
    record(WMF_CREATEFONTINDIRECT, p);
    return allocate();
}

int WmfWriter::createPen(std::uint16_t style, std::int16_t width, std::uint32_t colour) {
    std::vector<std::uint16_t> p = {style, word(width), 0};
    putColour(p, colour);
    record(WMF_CREATEPENINDIRECT, p);
    return allocate();
}

int WmfWriter::createBrush(std::uint16_t style, std::uint32_t colour) {
    std::vector<std::uint16_t> p = {style};
    putColour(p, colour);
    p.push_back(0); // hatch
    record(WMF_CREATEBRUSHINDIRECT, p);
    return allocate();
}

void WmfWriter::selectObject(int index) {
    record(WMF_SELECTOBJECT, {word(index)});
}

void WmfWriter::deleteObject(int index) {
    record(WMF_DELETEOBJECT, {word(index)});
    if (index >= 0 && std::size_t(index) < m_objects.size())
        m_objects[std::size_t(index)] = false;
}

void WmfWriter::setBkMode(std::uint16_t mode) {
    record(WMF_SETBKMODE, {mode});
}

void WmfWriter::setTextAlign(std::uint16_t align) {
    record(WMF_SETTEXTALIGN, {align});
}

void WmfWriter::setTextColor(std::uint32_t colour) {
    std::vector<std::uint16_t> p;
    putColour(p, colour);
    record(WMF_SETTEXTCOLOR, p);
}

// Point records list y before x, rectangles bottom, right, top, left.
void WmfWriter::moveTo(int x, int y) {
    record(WMF_MOVETO, {word(y), word(x)});
}

void WmfWriter::lineTo(int x, int y) {
    record(WMF_LINETO, {word(y), word(x)});
}

void WmfWriter::rectangle(int left, int top, int right, int bottom) {
    record(WMF_RECTANGLE, {word(bottom), word(right), word(top), word(left)});
}

void WmfWriter::ellipse(int left, int top, int right, int bottom) {
    record(WMF_ELLIPSE, {word(bottom), word(right), word(top), word(left)});
}

void WmfWriter::roundRect(int left, int top, int right, int bottom, int width, int height) {
    record(WMF_ROUNDRECT,
           {word(height), word(width), word(bottom), word(right), word(top), word(left)});
}

void WmfWriter::textOut(int x, int y, const std::string& text) {
    std::vector<std::uint16_t> p = {word(int(text.size()))};
    putBytes(p, text);
    p.push_back(word(y));
    p.push_back(word(x));
    record(WMF_TEXTOUT, p);
}

void WmfWriter::extTextOut(int x, int y, const std::string& text,
                           const std::vector<std::int16_t>& advances) {
    std::vector<std::uint16_t> p = {word(y), word(x), word(int(text.size())), 0};
    putBytes(p, text);
    if (!advances.empty()) {
        for (std::size_t i = 0; i < text.size(); ++i)
            p.push_back(word(i < advances.size() ? advances[i] : 0));
    }
    record(WMF_EXTTEXTOUT, p);
}

std::string WmfWriter::bytes() const {
    std::string out;
    put32(out, kWmfPlaceableKey);
    put16(out, 0); // handle, always 0 in a file
    for (std::int16_t v : m_box)
        put16(out, std::uint16_t(v));
    put16(out, m_inch);
    put32(out, 0); // reserved
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= std::uint16_t(static_cast<unsigned char>(out[i]) |
                                  (static_cast<unsigned char>(out[i + 1]) << 8));
    put16(out, checksum);

    const auto words = std::uint32_t((kWmfHeaderSize + m_body.size()) / 2 + 3);
    put16(out, 1);      // memory metafile
    put16(out, 9);      // header size in words
    put16(out, 0x0300); // format version
    put32(out, words);
    put16(out, std::uint16_t(m_maxObjects));
    put32(out, m_maxRecord);
    put16(out, 0); // no parameters
    out += m_body;
    put32(out, 3);
    put16(out, WMF_EOF);
    return out;
}

} // namespace qv
