#include "forms/formbitmaps.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace qv {
namespace {

const QColor kInk(32, 32, 32);
const QColor kPaper(250, 250, 244);

QPixmap draw(int w, int h, const std::function<void(QPainter&)>& paint) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    paint(p);
    return pm;
}

// A sheet of paper with a folded corner.
void sheet(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    for (qreal y = r.top() + 6; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void arrow(QPainter& p, bool left) {
    QPolygonF poly;
    if (left)
        poly << QPointF(6, 15) << QPointF(15, 6) << QPointF(15, 11) << QPointF(24, 11)
             << QPointF(24, 19) << QPointF(15, 19) << QPointF(15, 24);
    else
        poly << QPointF(24, 15) << QPointF(15, 6) << QPointF(15, 11) << QPointF(6, 11)
             << QPointF(6, 19) << QPointF(15, 19) << QPointF(15, 24);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(255, 214, 64));
    p.drawPolygon(poly);
}

// A rounded button face with a word on it.
void face(QPainter& p, const QColor& colour, const char* word, int w, int h) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(h / 2);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QString::fromLatin1(word));
}

QPixmap make(const std::string& name) {
    if (name == "IDB_DKGREEN2")
        return draw(8, 8, [](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.fillRect(0, 0, 8, 8, QColor(0, 72, 40));
            p.setPen(QColor(0, 86, 48));
            p.drawPoint(1, 1);
            p.drawPoint(5, 3);
            p.drawPoint(3, 6);
            p.setPen(QColor(0, 60, 32));
            p.drawPoint(6, 6);
            p.drawPoint(2, 4);
        });
    if (name == "IDB_FTNEW")
        return draw(30, 30, [](QPainter& p) {
            sheet(p, QRectF(6.5, 4.5, 15, 20));
            p.setPen(QPen(QColor(0, 140, 0), 3));
            p.drawLine(QPointF(21, 18), QPointF(21, 28));
            p.drawLine(QPointF(16, 23), QPointF(26, 23));
        });
    if (name == "IDB_FTPREV")
        return draw(30, 30, [](QPainter& p) { arrow(p, true); });
    if (name == "IDB_FTNEXT")
        return draw(30, 30, [](QPainter& p) { arrow(p, false); });
    if (name == "IDB_FTDETAILS")
        return draw(30, 30, [](QPainter& p) {
            p.setPen(QPen(kInk, 1));
            p.setBrush(kPaper);
            p.drawRect(QRectF(5.5, 5.5, 19, 19));
            for (int i = 0; i < 4; ++i) {
                p.drawLine(QPointF(8, 9.5 + 4 * i), QPointF(17, 9.5 + 4 * i));
                p.drawLine(QPointF(19, 9.5 + 4 * i), QPointF(22, 9.5 + 4 * i));
            }
        });
    if (name == "IDB_FTSUPFORM")
        return draw(30, 30, [](QPainter& p) {
            sheet(p, QRectF(10.5, 3.5, 14, 18));
            sheet(p, QRectF(5.5, 8.5, 14, 18));
        });
    if (name == "IDB_FTPRINT")
        return draw(30, 30, [](QPainter& p) {
            sheet(p, QRectF(9.5, 3.5, 11, 10));
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(180, 180, 180));
            p.drawRoundedRect(QRectF(4.5, 12.5, 21, 10), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(8.5, 19.5, 13, 7));
        });
    if (name == "IDB_XCLOSE")
        return draw(18, 18, [](QPainter& p) {
            p.setPen(QPen(QColor(120, 0, 0), 1));
            p.setBrush(QColor(200, 40, 40));
            p.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 3, 3);
            p.setPen(QPen(Qt::white, 2.2));
            p.drawLine(QPointF(5, 5), QPointF(13, 13));
            p.drawLine(QPointF(13, 5), QPointF(5, 13));
        });
    if (name == "IDB_BTNREFUND")
        return draw(64, 22, [](QPainter& p) { face(p, QColor(0, 150, 60), "Refund", 64, 22); });
    if (name == "IDB_BTNOWED")
        return draw(64, 22, [](QPainter& p) { face(p, QColor(190, 30, 30), "Owed", 64, 22); });
    if (name == "IDB_STBTNREFUND")
        return draw(64, 22, [](QPainter& p) { face(p, QColor(0, 110, 150), "St Refund", 64, 22); });
    if (name == "IDB_STBTNOWED")
        return draw(64, 22, [](QPainter& p) { face(p, QColor(150, 40, 110), "St Owed", 64, 22); });
    return {};
}

} // namespace

QPixmap formBitmap(const char* name) {
    // Kept for the whole run: pixmaps must not outlive the application object's teardown.
    static auto* cache = new std::map<std::string, QPixmap>;
    auto it = cache->find(name);
    if (it == cache->end())
        it = cache->emplace(name, make(name)).first;
    return it->second;
}

} // namespace qv
