#include "layoutrender.h"

#include "layoutcompiler.h"

#include "platform/text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace qvdat {
namespace {

using qv::LayoutRecord;

constexpr int kMargin = 200; // twips of white round the page

QColor colour(std::uint32_t c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QFont font(const qv::LayoutFont& f, int forceWeight = 0) {
    static const char* faces[] = {"Arial", "Wingdings", "NelcoSymbols", "Arial", "NelcoSymbols"};
    QFont q(QString::fromLatin1(f.face < 5 ? faces[f.face] : "Arial"));
    q.setPixelSize(std::max(1, f.points * 20));
    const int weight = forceWeight ? forceWeight : (f.face == 2 ? 400 : f.weight * 100);
    q.setWeight(QFont::Weight(std::clamp(weight, 100, 900)));
    q.setUnderline(f.style & 1);
    q.setItalic(f.style & 2);
    q.setStrikeOut(f.style & 4);
    return q;
}

QRectF rect(const qv::LayoutBox& box) {
    const qv::LayoutBounds b = qv::Normalize(box);
    return QRectF(b.left, -double(b.top), double(b.right) - b.left, double(b.top) - b.bottom);
}

int textFlags(std::uint8_t align) {
    int flags = (align & 3) == 1   ? Qt::AlignHCenter
                : (align & 3) == 2 ? Qt::AlignRight
                                   : Qt::AlignLeft;
    if (align & 0x20) { // single line: the vertical bits count
        flags |= (align & 8) ? Qt::AlignBottom : (align & 4) ? Qt::AlignVCenter : Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop | Qt::TextWordWrap;
    }
    return flags;
}

// Top of a record in twips below the layout top, for the page filter.
double topOf(const LayoutRecord& r) {
    if (r.kind == qv::LK_LINE)
        return -double(std::max(r.y1, r.y2));
    return -double(qv::Normalize(r.box).top);
}

} // namespace

QImage RenderLayout(const std::vector<LayoutRecord>& records, const RenderOptions& o) {
    int width = kLayoutPageWidth;
    int height = kLayoutPageHeight;
    if (!records.empty() && records.front().kind == qv::LK_HEADER) {
        width = std::max(1, records.front().pageWidth);
        height = std::max(1, std::abs(records.front().pageHeight));
    }
    const double pageTop = o.page > 0 ? double(o.page - 1) * kLayoutPageHeight : 0;
    if (o.page > 0)
        height = kLayoutPageHeight;
    const double s = o.dpi / 1440.0;
    QImage image(int(std::ceil((width + 2 * kMargin) * s)),
                 int(std::ceil((height + 2 * kMargin) * s)), QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(s, s);
    p.translate(kMargin, kMargin - pageTop);

    QFont current = font({0, 8, 0, 4});
    const QPen thin(Qt::black, 15);
    for (const LayoutRecord& r : records) {
        if (r.kind != qv::LK_HEADER && o.page > 0) {
            const double top = topOf(r);
            if (top < pageTop || top >= pageTop + kLayoutPageHeight)
                continue;
        }
        const QRectF box = rect(r.box);
        p.setPen(thin);
        p.setBrush(Qt::NoBrush);
        switch (r.kind) {
        case qv::LK_HEADER:
            p.fillRect(QRectF(0, pageTop, width, height), colour(r.bgColor));
            current = font(r.font);
            break;
        case qv::LK_TEXT: {
            if (!r.visible)
                break;
            current = font(r.font);
            p.setFont(current);
            if (r.opaque)
                p.fillRect(box, colour(r.bgColor));
            if (r.frame)
                p.drawRect(box);
            p.setPen(colour(r.textColor));
            p.drawText(box, textFlags(r.align), pf::toQt(r.text));
            if (r.leaderEnd != 0 && r.leaderEnd - 90 > box.right()) {
                // " ." as often as fits between the box and the leader end, in bold, ending
                // 90 twips short of it.
                const QFont bold = font(r.font, 700);
                const double unit = QFontMetricsF(bold).horizontalAdvance(QStringLiteral(" ."));
                const QRectF room(box.right(), box.top(), r.leaderEnd - 90 - box.right(),
                                  box.height());
                const int n = unit > 0 ? int(room.width() / unit) : 0;
                p.setFont(bold);
                p.drawText(room, Qt::AlignRight | Qt::AlignTop, QStringLiteral(" .").repeated(n));
                p.setFont(current);
            }
            break;
        }
        case qv::LK_ENTRY:
            if (!r.visible)
                break;
            p.fillRect(box, colour(r.bgColor));
            if (r.frame)
                p.drawRect(box);
            p.setFont(current);
            p.setPen(QColor(0, 128, 0));
            p.drawText(
                box.adjusted(30, 0, -30, 0),
                Qt::AlignVCenter | ((r.align & 3) == 1   ? Qt::AlignHCenter
                                    : (r.align & 3) == 2 ? Qt::AlignRight
                                                         : Qt::AlignLeft),
                QString::fromLatin1(r.fieldName.c_str()) +
                    (r.elementIndex ? QStringLiteral("(%1)").arg(r.elementIndex) : QString()));
            break;
        case qv::LK_LINE:
            p.drawLine(QPointF(r.x1, -double(r.y1)), QPointF(r.x2, -double(r.y2)));
            break;
        case qv::LK_OPTION:
        case qv::LK_CHECK: {
            if (!r.visible)
                break;
            const double d = box.height();
            const QRectF mark(box.left() - d, box.top(), d, d);
            if (r.kind == qv::LK_OPTION)
                p.drawEllipse(mark.adjusted(20, 20, -20, -20));
            else if (r.boxed)
                p.drawRect(mark);
            if (!r.label.empty()) {
                p.setFont(font(r.font));
                p.setPen(colour(r.textColor));
                const int h = (r.align & 3) == 1   ? Qt::AlignHCenter
                              : (r.align & 3) == 2 ? Qt::AlignRight
                                                   : Qt::AlignLeft;
                p.drawText(QRectF(mark.left(), box.top(), box.right() - mark.left(), d),
                           h | Qt::AlignVCenter | Qt::TextWordWrap, pf::toQt(r.label));
            }
            break;
        }
        case qv::LK_CHOICE:
            if (!r.visible)
                break;
            p.fillRect(box, colour(r.bgColor));
            p.setFont(current);
            p.setPen(QColor(0, 128, 0));
            p.drawText(box, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                       QString::fromLatin1(r.fieldName.c_str()) + QStringLiteral(" \u25BE"));
            break;
        case qv::LK_SHAPE: {
            static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                                  Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                                  Qt::SolidLine};
            QPen pen(colour(r.penColor), std::max(1, r.penWidth * 15));
            pen.setStyle(r.penStyle < 7 ? styles[r.penStyle] : Qt::SolidLine);
            p.setPen(pen);
            p.setBrush(colour(r.fillColor));
            if (r.shape <= 1)
                p.drawRect(box);
            else if (r.shape <= 3)
                p.drawEllipse(box);
            else if (r.shape <= 5)
                p.drawRoundedRect(box, 40, 60);
            break;
        }
        case qv::LK_HOTSPOT:
            break;
        }
        if (o.outline && r.isBound()) {
            QPen dashed(QColor(200, 0, 200), 10, Qt::DashLine);
            p.setPen(dashed);
            p.setBrush(Qt::NoBrush);
            p.drawRect(box);
            QFont small = font({0, 5, 0, 4});
            p.setFont(small);
            p.drawText(box.topLeft() + QPointF(10, 110), QString::number(r.controlNumber));
        }
    }
    p.end();
    return image;
}

} // namespace qvdat
