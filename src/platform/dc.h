#pragma once

#include "platform/dctypes.h"
#include "platform/pfexport.h"

#include <memory>
#include <string>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;

namespace pf {

// Measured facts of one font at one device size, shared by every context that selects it.
// Widths are per Windows-1252 byte, in device pixels, as GDI measures them (no kerning).
struct PF_EXPORT FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int widths[256] = {};
};

// A device context in the classic style over QPainter: a mapping mode with window and
// viewport origin and extent, colours as 0x00BBGGRR, a selected font, pen and brush, text
// alignment and background mode, and a stack of saved states. All coordinates given to it
// are logical; it maps them itself and draws in device pixels, so text stays upright under
// y-up mappings (MM_TWIPS, MM_LOENGLISH, ...) and fonts scale with the mapping.
//
// A context made without a device measures as the screen does (96 pixels per inch) and
// draws nothing. Drawing operations are virtual so that a recording context can note them.
class PF_EXPORT Dc {
public:
    Dc();                              // measuring only, screen resolution
    explicit Dc(QPaintDevice* device); // begins its own painter on the device
    explicit Dc(QPainter* painter);    // draws through a painter that is already active
    virtual ~Dc();
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;

    // Mapping.
    int setMapMode(int mode);
    int mapMode() const;
    Point setWindowOrg(int x, int y);
    Point setViewportOrg(int x, int y);
    Point offsetViewportOrg(int dx, int dy);
    Point offsetWindowOrg(int dx, int dy);
    Extent setWindowExt(int cx, int cy);   // only in MM_ISOTROPIC and MM_ANISOTROPIC
    Extent setViewportExt(int cx, int cy); // only in MM_ISOTROPIC and MM_ANISOTROPIC
    Point windowOrg() const;
    Point viewportOrg() const;
    Point lpToDp(Point p) const;
    Point dpToLp(Point p) const;
    Rect lpToDp(const Rect& r) const; // normalised: left < right, top < bottom in device
    // Logical length → device length along x / y (absolute values).
    double scaleX() const;
    double scaleY() const;

    // Attributes.
    COLORREF setTextColor(COLORREF colour);
    COLORREF textColor() const;
    COLORREF setBkColor(COLORREF colour);
    int setBkMode(int mode);
    unsigned setTextAlign(unsigned align);
    LogFont selectFont(const LogFont& font);
    const LogFont& font() const;
    Pen selectPen(const Pen& pen);
    Brush selectBrush(const Brush& brush);
    const Pen& pen() const;
    const Brush& brush() const;
    unsigned textAlign() const;
    COLORREF bkColor() const;
    int bkMode() const;
    Point currentPosition() const;

    // Text measuring, in logical units.
    TextMetrics textMetrics() const;
    Extent textExtent(const std::string& text) const;
    Extent textExtent(const char* text, std::size_t length) const;
    // The metrics of the selected font in device pixels, for callers that measure a lot.
    std::shared_ptr<const FontMetrics> fontMetrics() const;

    // Drawing.
    virtual void textOut(int x, int y, const std::string& text);
    // DrawText: DT_ alignment, word breaking, single line, ellipses, prefix '&', DT_CALCRECT
    // (then only `rect` is changed). Returns the height of the text drawn.
    virtual int drawText(const std::string& text, Rect& rect, unsigned flags);
    void moveTo(int x, int y);
    virtual void lineTo(int x, int y);
    virtual void rectangle(const Rect& r); // outline with the pen, inside with the brush
    virtual void fillRect(const Rect& r, COLORREF colour);
    virtual void ellipse(const Rect& r);
    virtual void polygon(const std::vector<Point>& points);
    virtual void roundRect(const Rect& r, int ellipseWidth, int ellipseHeight);
    // Draws an image scaled into `r`; with `transparent`, pixels of that colour stay undrawn.
    virtual void drawImage(const Rect& r, const QImage& image, COLORREF transparent = CLR_INVALID);
    virtual void setPixel(int x, int y, COLORREF colour);

    // Clipping to a logical rectangle (intersected with the current clip).
    void intersectClipRect(const Rect& r);

    int saveDC();
    // A negative argument restores that many levels back from the top.
    bool restoreDC(int level);

    int deviceCaps(int index) const;
    // Printers report their physical page and offsets; tests may set them for any context.
    struct DeviceInfo {
        int dpiX = 96, dpiY = 96;
        int width = 0, height = 0; // printable area in device pixels
        int physicalWidth = 0, physicalHeight = 0;
        int offsetX = 0, offsetY = 0;
        int bitsPixel = 24;
    };
    void setDeviceInfo(const DeviceInfo& info);
    const DeviceInfo& deviceInfo() const;

    QPainter* painter() const;

private:
    struct State;
    void applyClip();
    void textOutDevice(int x, int y, const std::string& text);
    std::unique_ptr<State> m_state;
    std::vector<State> m_saved;
    QPainter* m_painter = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    DeviceInfo m_info;
};

// Looks a face name up the way pages and forms name them: the classic Windows faces map to
// their metric-compatible Liberation faces when those are installed.
PF_EXPORT std::string substituteFace(const std::string& face);

} // namespace pf
