#pragma once

#include <cstdint>
#include <string>

// Plain value types of the drawing context, usable without any Qt header.
namespace pf {

using COLORREF = std::uint32_t;
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr COLORREF RGB(int r, int g, int b) {
    return std::uint32_t(r & 255) | (std::uint32_t(g & 255) << 8) | (std::uint32_t(b & 255) << 16);
}
constexpr int GetRValue(COLORREF c) {
    return int(c & 255);
}
constexpr int GetGValue(COLORREF c) {
    return int((c >> 8) & 255);
}
constexpr int GetBValue(COLORREF c) {
    return int((c >> 16) & 255);
}

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};
struct Extent {
    int cx = 0;
    int cy = 0;
    bool operator==(const Extent&) const = default;
};
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool intersects(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool operator==(const Rect&) const = default;
};

enum MapMode : int {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8,
};

enum BkMode : int { TRANSPARENT = 1, OPAQUE = 2 };

enum TextAlign : unsigned {
    TA_LEFT = 0,
    TA_TOP = 0,
    TA_UPDATECP = 1,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};

enum DrawTextFlag : unsigned {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
};

enum PenStyle : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
};

enum DeviceCap : int {
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    NUMCOLORS = 24,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
};

enum CharSet : int { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2 };
enum FontWeight : int { FW_DONTCARE = 0, FW_NORMAL = 400, FW_BOLD = 700 };

// A font request as the classic LOGFONT: a negative height is the character (em) height in
// logical units, a positive one the cell height (em + internal leading).
struct LogFont {
    int height = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = DEFAULT_CHARSET;
    std::string faceName;
    bool operator==(const LogFont&) const = default;
};

// Metrics of the selected font in logical units.
struct TextMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int overhang = 0;
};

struct Pen {
    int style = PS_SOLID;
    int width = 0; // 0 = one device pixel
    COLORREF colour = RGB(0, 0, 0);
    bool operator==(const Pen&) const = default;
};
struct Brush {
    bool null = false; // a hollow brush fills nothing
    COLORREF colour = RGB(255, 255, 255);
    bool operator==(const Brush&) const = default;
};

} // namespace pf
