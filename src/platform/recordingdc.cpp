#include "platform/recordingdc.h"

namespace pf {

void RecordingDc::textOut(int x, int y, const std::string& text) {
    Record r;
    r.kind = Text;
    r.x = x;
    r.y = y;
    r.text = text;
    r.font = font();
    r.colour = textColor();
    r.align = textAlign();
    const Extent e = textExtent(text);
    const TextMetrics tm = textMetrics();
    int left = x;
    if ((r.align & TA_CENTER) == TA_CENTER)
        left = x - e.cx / 2;
    else if (r.align & TA_RIGHT)
        left = x - e.cx;
    int topY = y;
    if ((r.align & TA_BASELINE) == TA_BASELINE)
        topY = y - tm.ascent;
    else if (r.align & TA_BOTTOM)
        topY = y - tm.height;
    r.rect = {left, topY, left + e.cx, topY + tm.height};
    m_records.push_back(std::move(r));
    Dc::textOut(x, y, text);
}

void RecordingDc::lineTo(int x, int y) {
    Record r;
    r.kind = Line;
    r.x = currentPosition().x;
    r.y = currentPosition().y;
    r.points = {currentPosition(), {x, y}};
    r.colour = pen().colour;
    r.penStyle = pen().style;
    Dc::lineTo(x, y);
    m_records.push_back(std::move(r));
}

void RecordingDc::rectangle(const Rect& rect) {
    Record r;
    r.kind = Rectangle;
    r.rect = rect;
    r.x = rect.left;
    r.y = rect.top;
    r.colour = brush().null ? CLR_INVALID : brush().colour;
    r.penStyle = pen().style;
    m_records.push_back(std::move(r));
    Dc::rectangle(rect);
}

void RecordingDc::fillRect(const Rect& rect, COLORREF colour) {
    Record r;
    r.kind = Fill;
    r.rect = rect;
    r.x = rect.left;
    r.y = rect.top;
    r.colour = colour;
    m_records.push_back(std::move(r));
    Dc::fillRect(rect, colour);
}

void RecordingDc::ellipse(const Rect& rect) {
    Record r;
    r.kind = Ellipse;
    r.rect = rect;
    r.colour = brush().null ? CLR_INVALID : brush().colour;
    r.x = rect.left;
    r.y = rect.top;
    m_records.push_back(std::move(r));
    Dc::ellipse(rect);
}

void RecordingDc::polygon(const std::vector<Point>& points) {
    Record r;
    r.kind = Polygon;
    r.points = points;
    m_records.push_back(std::move(r));
    Dc::polygon(points);
}

void RecordingDc::roundRect(const Rect& rect, int ew, int eh) {
    Record r;
    r.kind = RoundRect;
    r.rect = rect;
    m_records.push_back(std::move(r));
    Dc::roundRect(rect, ew, eh);
}

void RecordingDc::drawImage(const Rect& rect, const QImage& image, COLORREF transparent) {
    Record r;
    r.kind = Image;
    r.rect = rect;
    r.x = rect.left;
    r.y = rect.top;
    m_records.push_back(std::move(r));
    Dc::drawImage(rect, image, transparent);
}

void RecordingDc::setPixel(int x, int y, COLORREF colour) {
    Record r;
    r.kind = Pixel;
    r.x = x;
    r.y = y;
    r.colour = colour;
    m_records.push_back(std::move(r));
    Dc::setPixel(x, y, colour);
}

std::vector<RecordingDc::Record> RecordingDc::texts() const {
    std::vector<Record> out;
    for (const Record& r : m_records) {
        if (r.kind == Text)
            out.push_back(r);
    }
    return out;
}

std::string RecordingDc::joinedText() const {
    std::string out;
    bool first = true;
    int lastY = 0;
    for (const Record& r : m_records) {
        if (r.kind != Text)
            continue;
        if (!first)
            out += r.rect.top == lastY ? "" : "\n";
        out += r.text;
        lastY = r.rect.top;
        first = false;
    }
    return out;
}

} // namespace pf
