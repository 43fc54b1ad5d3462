#pragma once

#include "platform/dc.h"

#include <string>
#include <vector>

namespace pf {

// A context that notes every drawing call in logical units, with the font and colours in
// effect, for tests. It measures like the screen and draws nothing unless given a painter
// to forward to.
class PF_EXPORT RecordingDc final : public Dc {
public:
    enum Kind { Text, Line, Rectangle, Fill, Ellipse, Polygon, RoundRect, Image, Pixel };
    struct Record {
        Kind kind = Text;
        int x = 0, y = 0; // text: the reference point as given; others: first point
        Rect rect;        // the rectangle drawn, or the text's box (logical, y down)
        std::string text;
        LogFont font;
        COLORREF colour = 0; // text colour, fill colour, pen colour
        unsigned align = 0;
        int penStyle = 0;
        std::vector<Point> points;
    };

    RecordingDc() = default;
    explicit RecordingDc(QPainter* forward) : Dc(forward) {}

    void textOut(int x, int y, const std::string& text) override;
    void lineTo(int x, int y) override;
    void rectangle(const Rect& r) override;
    void fillRect(const Rect& r, COLORREF colour) override;
    void ellipse(const Rect& r) override;
    void polygon(const std::vector<Point>& points) override;
    void roundRect(const Rect& r, int ellipseWidth, int ellipseHeight) override;
    void drawImage(const Rect& r, const QImage& image, COLORREF transparent) override;
    void setPixel(int x, int y, COLORREF colour) override;

    const std::vector<Record>& records() const { return m_records; }
    // Only the text records, in drawing order.
    std::vector<Record> texts() const;
    // The text records joined: records whose boxes share a top run together, a newline
    // starts each new top.
    std::string joinedText() const;
    void clear() { m_records.clear(); }

private:
    std::vector<Record> m_records;
};

} // namespace pf
