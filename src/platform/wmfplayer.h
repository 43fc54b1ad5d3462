#pragma once

#include "platform/dctypes.h"
#include "platform/pfexport.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pf {

class Dc;

// One metafile record as the player is about to play it: its function number and its
// parameter words. A hook may change both.
struct PF_EXPORT WmfRecord {
    std::uint16_t function = 0;
    std::vector<std::uint16_t> params;

    // Views of the records a hook typically rewrites; each answers false for another record
    // or for one too short to hold what it claims.
    struct Font {
        LogFont font;
        int width = 0, escapement = 0, orientation = 0;
        int outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    };
    bool font(Font& out) const;
    void setFont(const Font& font); // keeps the function, rewrites the parameters

    // Text out and extended text out. Advances are empty when the record has none.
    struct Text {
        int x = 0, y = 0;
        std::string text;
        unsigned options = 0; // extended only
        Rect rect;            // extended only, when options ask for it
        std::vector<int> advances;
    };
    bool text(Text& out) const;
    void setText(const Text& text);
};

// Plays a placeable Windows metafile onto a Dc. The bytes are checked before anything is
// drawn: the placeable key and checksum, the standard header, and the size it gives; while
// playing, every record must lie inside that size and carry the parameters its function
// reads; a record that does not is skipped, a record size that leaves the metafile ends the
// playback. Records this player does not know are skipped.
class PF_EXPORT WmfPlayer final {
public:
    enum Function : std::uint16_t {
        EOF_ = 0x0000,
        SAVEDC = 0x001E,
        SETBKMODE = 0x0102,
        SELECTOBJECT = 0x012D,
        SETTEXTALIGN = 0x012E,
        RESTOREDC = 0x0127,
        DELETEOBJECT = 0x01F0,
        SETBKCOLOR = 0x0201,
        SETTEXTCOLOR = 0x0209,
        LINETO = 0x0213,
        MOVETO = 0x0214,
        CREATEPENINDIRECT = 0x02FA,
        CREATEFONTINDIRECT = 0x02FB,
        CREATEBRUSHINDIRECT = 0x02FC,
        POLYGON = 0x0324,
        POLYLINE = 0x0325,
        ELLIPSE = 0x0418,
        RECTANGLE = 0x041B,
        TEXTOUT = 0x0521,
        ROUNDRECT = 0x061C,
        EXTTEXTOUT = 0x0A32,
    };

    // Called before each record is played, with the context it will be played on. Answering
    // false drops the record (the hook may have drawn it some other way).
    using Hook = std::function<bool(WmfRecord& record, Dc& dc)>;

    // False when the bytes are no placeable metafile; the player then plays nothing.
    bool load(const void* data, std::size_t size);
    bool isLoaded() const { return m_loaded; }

    // Bounding box and units per inch of the placeable header.
    Rect bounds() const { return m_bounds; }
    int unitsPerInch() const { return m_inch; }
    std::size_t recordCount() const { return m_records.size(); }
    const std::vector<WmfRecord>& records() const { return m_records; }

    // Plays every record in order between a save and a restore of the context's state.
    // Answers false when nothing is loaded.
    bool play(Dc& dc, const Hook& hook = {}) const;

private:
    bool m_loaded = false;
    Rect m_bounds;
    int m_inch = 0;
    int m_maxObjects = 0;
    std::vector<WmfRecord> m_records;
};

} // namespace pf
