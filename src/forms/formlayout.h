#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The binary form layout a module's data file keeps for each form kind: a stream of records,
// each starting with its kind byte. Integers are little-endian; coordinates are signed twips
// with y pointing up, so everything below the top of the page is negative. Record sizes are
// fixed per kind except for text, whose bytes follow a 16-bit length.
namespace qv {

enum LayoutKind : std::uint8_t {
    LK_HEADER = 0,
    LK_TEXT = 1,
    LK_ENTRY = 2,
    LK_LINE = 4,
    LK_OPTION = 8,
    LK_CHECK = 16,
    LK_CHOICE = 32,
    LK_SHAPE = 64,
    LK_HOTSPOT = 128,
};

// Longest text a text record may carry.
inline constexpr std::size_t kLayoutMaxText = 2048;
// Sizes of the fixed string fields, terminator included.
inline constexpr std::size_t kLayoutNameSize = 64;
inline constexpr std::size_t kLayoutLabelSize = 256;

// Bits of an entry box's layout flags.
inline constexpr unsigned LF_WHOLE_DOLLARS = 0x1;
inline constexpr unsigned LF_APPEND_ZERO_CENTS = 0x4;

// Face (0 Arial, 1 Wingdings, 2 and 4 NelcoSymbols, 3 the default face), size in points,
// style bits (1 underline, 2 italic, 4 strike-out) and weight in hundreds.
struct LayoutFont {
    std::uint8_t face = 0;
    std::uint8_t points = 8;
    std::uint8_t style = 0;
    std::uint8_t weight = 4;
    bool operator==(const LayoutFont&) const = default;
};

// A box as stored: top, left, height, width. Either extent may be negative.
struct LayoutBox {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    bool operator==(const LayoutBox&) const = default;
};

// A box with its edges sorted: left <= right and, y pointing up, bottom <= top.
struct LayoutBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y <= top && y > bottom;
    }
    bool operator==(const LayoutBounds&) const = default;
};
LayoutBounds Normalize(const LayoutBox& box);

// One decoded record. Only the members of its kind are meaningful; the rest keep their
// defaults, so a record encodes back to the same bytes apart from unused bytes and bindings.
struct LayoutRecord {
    LayoutKind kind = LK_HEADER;
    std::size_t offset = 0; // where the record starts in the layout bytes

    LayoutFont font;           // header (default font), text, option, check
    LayoutBox box;             // every kind but header and line
    std::uint32_t bgColor = 0; // header, text, entry, option, choice
    std::uint32_t textColor = 0;
    bool frame = false;     // text, entry: rectangle round the box
    bool visible = true;    // text, entry, option, check, choice
    std::uint8_t align = 0; // 0 left, 1 centred, 2 right

    // header
    std::int32_t pageHeight = 0; // negative
    std::int32_t pageWidth = 0;
    std::uint32_t pageExtra = 0;

    // text
    std::int32_t leaderEnd = 0; // x where a dot leader ends, 0 for none
    bool opaque = false;
    std::string text;

    // bound records (entry, option, check, choice, hot spot)
    std::string fieldName;
    std::uint16_t controlNumber = 0;
    std::uint16_t elementIndex = 0;
    std::uint16_t fieldOffset = 0; // choice: added to the number found for element 0

    // entry
    std::uint16_t layoutFlags = 0;
    std::uint8_t decimals = 0; // decimals of a decimal field, entry length of a text field

    // option, check
    std::string label;
    bool group = false;
    bool boxed = true; // check: a square left of the label; else the whole box is the box

    // line
    std::uint32_t lineColor = 0;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    // shape
    std::uint8_t shape = 0; // 0, 1 rectangle; 2, 3 ellipse; 4, 5 rounded rectangle
    std::uint8_t penStyle = 0;
    std::uint8_t penWidth = 1; // in units of 15 twips
    std::uint32_t penColor = 0;
    std::uint32_t fillColor = 0;

    bool isBound() const;
};

// Size in bytes of a record of `kind` (for text, with `textLength` bytes of text); 0 for a
// byte that is no record kind.
std::size_t LayoutRecordSize(std::uint8_t kind, std::size_t textLength = 0);

struct LayoutParse {
    std::vector<LayoutRecord> records;
    // False when the walk stopped early: an unknown kind, a record cut short by the end of
    // the bytes, or a text longer than kLayoutMaxText. `records` holds what came before.
    bool complete = true;
    std::size_t stoppedAt = 0; // offset of the record that stopped the walk
};
LayoutParse ParseLayout(const std::uint8_t* data, std::size_t size);
inline LayoutParse ParseLayout(const std::string& bytes) {
    return ParseLayout(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Appends the bytes of `record` (its `offset` is ignored). Strings longer than their field
// are cut so that the terminator fits; a text longer than kLayoutMaxText is cut to it.
void AppendLayoutRecord(std::string& out, const LayoutRecord& record);
std::string EncodeLayout(const std::vector<LayoutRecord>& records);

} // namespace qv
