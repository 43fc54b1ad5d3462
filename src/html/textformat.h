#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Colours are 0x00BBGGRR values; the parser marks page colours palette-relative (0x02 in the
// top byte). kNoColour stands for "not given".
using Colour = std::uint32_t;
inline constexpr Colour kNoColour = 0xFFFFFFFFu;
constexpr Colour paletteRgb(int r, int g, int b) {
    return 0x02000000u | std::uint32_t(r & 255) | (std::uint32_t(g & 255) << 8) |
           (std::uint32_t(b & 255) << 16);
}

enum StyleFlag : std::uint16_t { kBold = 1, kUnderline = 2, kItalic = 4, kStrike = 8 };

// The character format of a run: one entry of the parser's format stack.
struct TextFormat {
    std::string face;
    int size = 12;   // nominal points
    int scaled = 12; // size × document text scale ÷ 12
    std::uint16_t style = 0;
    Colour colour = paletteRgb(0, 0, 0);
    bool fixed = false;

    void setSize(int points, int textScale) {
        size = points;
        scaled = points * textScale / 12;
    }
    // Font height in pixels as the font is made: -(scaled × 96 ÷ 72).
    int fontHeight() const { return -(scaled * 96 / 72); }
    bool operator==(const TextFormat&) const = default;
};

} // namespace qv
