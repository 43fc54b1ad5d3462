#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>

#include <string>

class HtmlWindow;

// A page button drawn from a bitmap: a vertical strip of equal-height images in the order
// normal, pressed, hover, focus, disabled, each present only when the button is made with
// it. Radio and check kinds draw the page behind them and their caption right of the image;
// push buttons centre the caption on the image.
class CDIBButton : public QAbstractButton {
public:
    enum Image { Normal = 0, Pressed, Hover, Focus, Disabled, ImageCount };
    enum Kind { PushKind, RadioKind, CheckKind };

    CDIBButton(Kind kind, HtmlWindow* page, QWidget* parent);

    // `strip` holds the images flagged in `present` (bit 1 << Image), top to bottom.
    void setStrip(const QImage& strip, unsigned present);
    void setCaption(const std::string& caption);
    void setCaptionFont(const QFont& font) { m_font = font; }
    void setCaptionColours(QColor normal, QColor hover) {
        m_colour = normal;
        m_hoverColour = hover;
    }
    // Which image is drawn now, by the button's state.
    Image currentImage() const;
    bool hovering() const { return m_hover; }
    int imageHeight() const { return m_imageHeight; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

    Kind m_kind;
    HtmlWindow* m_page;

private:
    QImage image(Image which) const;

    QImage m_strip;
    unsigned m_present = 1u << Normal;
    int m_imageHeight = 0;
    std::string m_caption;
    QFont m_font;
    QColor m_colour{0, 0, 0};
    QColor m_hoverColour{128, 0, 0};
    bool m_hover = false;
};

namespace qv {

// The bitmap strips of the program's page buttons: "IDB_TAXRADIO" (normal, pressed) and
// resource 475 (normal, pressed, hover, disabled) are drawn here; any other name is looked
// up as an image file in `folder`, and a plain raised button strip with `images` images
// stands in when there is none.
QImage ButtonStrip(const std::string& name, const std::string& folder, int images);

} // namespace qv
