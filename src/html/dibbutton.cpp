#include "html/dibbutton.h"

#include "html/htmlwindow.h"
#include "platform/dc.h"
#include "platform/messages.h"
#include "platform/text.h"

#include <QFile>
#include <QPainter>

#include <bit>

CDIBButton::CDIBButton(Kind kind, HtmlWindow* page, QWidget* parent)
    : QAbstractButton(parent), m_kind(kind), m_page(page) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void CDIBButton::setStrip(const QImage& strip, unsigned present) {
    m_strip = strip;
    m_present = present | (1u << Normal);
    const int count = std::popcount(m_present);
    m_imageHeight = count > 0 && !strip.isNull() ? strip.height() / count : 0;
    updateGeometry();
    update();
}

void CDIBButton::setCaption(const std::string& caption) {
    m_caption = caption;
    setText(pf::toQt(caption));
}

QImage CDIBButton::image(Image which) const {
    if (!(m_present & (1u << which)))
        which = Normal;
    // The position in the strip counts only the images present before it.
    const int index = std::popcount(m_present & ((1u << which) - 1));
    if (m_strip.isNull() || m_imageHeight <= 0)
        return QImage();
    return m_strip.copy(0, index * m_imageHeight, m_strip.width(), m_imageHeight);
}

CDIBButton::Image CDIBButton::currentImage() const {
    Image which = Normal;
    if (!isEnabled())
        which = Disabled;
    else if (isDown() || isChecked())
        which = Pressed;
    else if (m_hover)
        which = Hover;
    else if (hasFocus())
        which = Focus;
    return m_present & (1u << which) ? which : Normal;
}

QSize CDIBButton::sizeHint() const {
    const QFontMetrics fm(m_font);
    int w = m_strip.width();
    if (m_kind != PushKind && !m_caption.empty())
        w += fm.horizontalAdvance(pf::toQt(m_caption)) + fm.averageCharWidth() + 4;
    return {std::max(w, 1), std::max({m_imageHeight, fm.height(), 1})};
}

bool CDIBButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void CDIBButton::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CDIBButton::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CDIBButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_kind != PushKind && m_page) {
        // The page behind the button, with the origin moved to the button's place.
        painter.save();
        painter.translate(-pos());
        pf::Dc dc(&painter);
        pf::sendMessage(m_page, pf::UM_PAINT_PAGE, reinterpret_cast<pf::WPARAM>(&dc),
                        reinterpret_cast<pf::LPARAM>(static_cast<QWidget*>(this)));
        painter.restore();
    }
    const QImage img = image(currentImage());
    const int imageTop = (height() - img.height()) / 2;
    if (!img.isNull())
        painter.drawImage(m_kind == PushKind ? (width() - img.width()) / 2 : 0,
                          std::max(0, imageTop), img);
    if (m_caption.empty())
        return;
    painter.setFont(m_font);
    QColor colour = m_colour;
    if (!isEnabled())
        colour = QColor(192, 192, 192);
    else if (m_hover)
        colour = m_hoverColour;
    painter.setPen(colour);
    const QFontMetrics fm(m_font);
    QRect textRect;
    if (m_kind == PushKind) {
        textRect = rect();
        painter.drawText(textRect, Qt::AlignCenter, pf::toQt(m_caption));
        const int tw = fm.horizontalAdvance(pf::toQt(m_caption));
        textRect = QRect((width() - tw) / 2, (height() - fm.height()) / 2, tw, fm.height());
    } else {
        const int left = m_strip.width() + fm.averageCharWidth() + 2;
        textRect = QRect(left, 0, width() - left, height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, pf::toQt(m_caption));
        const int tw = fm.horizontalAdvance(pf::toQt(m_caption));
        textRect = QRect(left, (height() - fm.height()) / 2, tw, fm.height());
    }
    if (hasFocus()) {
        const QRect frame = textRect.adjusted(-2, -2, 2, 2);
        painter.setPen(Qt::white);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
}

namespace {

QImage radioStrip() {
    QImage strip(13, 26, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 2; ++i) {
        p.setPen(QColor(64, 64, 64));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(0.5, 13 * i + 0.5, 12, 12));
        if (i == 1) {
            p.setBrush(Qt::black);
            p.drawEllipse(QRectF(3.5, 13 + 3.5, 6, 6));
        }
    }
    return strip;
}

QImage checkStrip() {
    QImage strip(13, 52, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (int i = 0; i < 4; ++i) {
        const int top = 13 * i;
        p.setPen(i == 3 ? QColor(160, 160, 160)
                        : (i == 2 ? QColor(128, 0, 0) : QColor(64, 64, 64)));
        p.setBrush(i == 3 ? QColor(224, 224, 224) : QColor(Qt::white));
        p.drawRect(0, top, 12, 12);
        if (i == 1) {
            QPen tick(Qt::black, 2);
            p.setPen(tick);
            p.drawLine(3, top + 6, 5, top + 9);
            p.drawLine(5, top + 9, 10, top + 3);
        }
    }
    return strip;
}

QImage plainStrip(int images) {
    const int h = 22;
    QImage strip(80, h * images, QImage::Format_ARGB32);
    strip.fill(QColor(212, 208, 200));
    QPainter p(&strip);
    for (int i = 0; i < images; ++i) {
        const QRect r(0, i * h, 79, h - 1);
        p.setPen(i == 1 ? QColor(64, 64, 64) : QColor(255, 255, 255));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(i == 1 ? QColor(255, 255, 255) : QColor(64, 64, 64));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    return strip;
}

} // namespace

QImage qv::ButtonStrip(const std::string& name, const std::string& folder, int images) {
    const std::string upper = pf::upper(name);
    if (upper == "IDB_TAXRADIO")
        return radioStrip();
    if (upper == "475")
        return checkStrip();
    if (!name.empty()) {
        for (const std::string& path : {folder + name, name}) {
            QImage img;
            if (QFile::exists(pf::toQt(path)) && img.load(pf::toQt(path)))
                return img;
        }
    }
    return plainStrip(std::max(images, 1));
}
