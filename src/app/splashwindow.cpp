#include "app/splashwindow.h"

#include "app/splashart.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace qv {

SplashWindow::SplashWindow()
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(splashPixmap().size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(kLifetimeMs, this, &QWidget::close);
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, splashPixmap());
}

} // namespace qv
