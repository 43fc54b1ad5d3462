#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a placeable Windows metafile: the 22-byte placeable header, the standard metafile
// header, the records in the order they are added, and the end record. Coordinates are 16-bit
// logical units; the placeable header says how many make an inch.
namespace qv {

// Record functions, as the metafile format numbers them.
enum WmfFunction : std::uint16_t {
    WMF_EOF = 0x0000,
    WMF_SETBKMODE = 0x0102,
    WMF_SELECTOBJECT = 0x012D,
    WMF_SETTEXTALIGN = 0x012E,
    WMF_DELETEOBJECT = 0x01F0,
    WMF_SETTEXTCOLOR = 0x0209,
    WMF_LINETO = 0x0213,
    WMF_MOVETO = 0x0214,
    WMF_CREATEPENINDIRECT = 0x02FA,
    WMF_CREATEFONTINDIRECT = 0x02FB,
    WMF_CREATEBRUSHINDIRECT = 0x02FC,
    WMF_ELLIPSE = 0x0418,
    WMF_RECTANGLE = 0x041B,
    WMF_TEXTOUT = 0x0521,
    WMF_ROUNDRECT = 0x061C,
    WMF_EXTTEXTOUT = 0x0A32,
};

inline constexpr std::uint32_t kWmfPlaceableKey = 0x9AC6CDD7u;
inline constexpr std::size_t kWmfPlaceableSize = 22;
inline constexpr std::size_t kWmfHeaderSize = 18;
inline constexpr std::size_t kWmfFaceSize = 32; // face name field of a font record

// Brush styles of a brush record.
inline constexpr std::uint16_t WMF_BS_SOLID = 0;
inline constexpr std::uint16_t WMF_BS_NULL = 1;

struct WmfFont {
    std::int16_t height = 0; // negative: character height
    std::int16_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::string face; // cut to 31 characters
};

class WmfWriter final {
public:
    WmfWriter(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
              std::uint16_t unitsPerInch);

    // Object records answer the index the object takes in the playback's object table: the
    // lowest free slot, as the player assigns them.
    int createFont(const WmfFont& font);
    int createPen(std::uint16_t style, std::int16_t width, std::uint32_t colour);
    int createBrush(std::uint16_t style, std::uint32_t colour);
    void selectObject(int index);
    void deleteObject(int index);

    void setBkMode(std::uint16_t mode);
    void setTextAlign(std::uint16_t align);
    void setTextColor(std::uint32_t colour);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void roundRect(int left, int top, int right, int bottom, int width, int height);
    void textOut(int x, int y, const std::string& text);
    // Without advances the record carries none; otherwise one per character.
    void extTextOut(int x, int y, const std::string& text,
                    const std::vector<std::int16_t>& advances = {});

    std::size_t recordCount() const { return m_records; }
    // The whole file; the writer stays usable and a later call includes later records.
    std::string bytes() const;

private:
    int allocate();
    void record(std::uint16_t function, const std::vector<std::uint16_t>& params);

    std::int16_t m_box[4];
    std::uint16_t m_inch;
    std::string m_body;
    std::size_t m_records = 0;
    std::uint32_t m_maxRecord = 3; // the end record
    std::vector<bool> m_objects;   // slots in use
    std::size_t m_maxObjects = 0;
};

} // namespace qv
