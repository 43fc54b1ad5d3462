#include "app/splashart.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace qv {

QPixmap splashPixmap() {
    QPixmap pixmap(420, 260);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0, QColor(26, 62, 44));
    sky.setColorAt(1, QColor(78, 128, 88));
    p.fillRect(pixmap.rect(), sky);
    // A grove of three stylised trees over a copper band.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(184, 115, 51));
    p.drawRect(0, 196, pixmap.width(), 10);
    const QColor leaves(150, 196, 120);
    for (int i = 0; i < 3; ++i) {
        const int x = 300 + i * 36;
        p.setBrush(leaves.darker(100 + i * 15));
        p.drawEllipse(QPoint(x, 150 - (i % 2) * 14), 22, 30);
        p.setBrush(QColor(96, 64, 36));
        p.drawRect(x - 3, 176 - (i % 2) * 14, 6, 20 + (i % 2) * 14);
    }
    p.setPen(Qt::white);
    p.setFont(QFont("Arial", 34, 900));
    p.drawText(QRect(24, 40, 380, 60), Qt::AlignLeft | Qt::AlignVCenter, "Quorva 2002");
    p.setFont(QFont("Arial", 12, 400));
    p.drawText(QRect(26, 100, 380, 24), Qt::AlignLeft, "Individual income tax returns for 2002");
    p.setPen(QColor(240, 220, 190));
    p.setFont(QFont("Arial", 10, 700));
    p.drawText(QRect(26, 222, 380, 24), Qt::AlignLeft, "Copper Grove Software");
    return pixmap;
}

} // namespace qv
