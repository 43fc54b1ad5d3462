#pragma once

#include <QWidget>

namespace qv {

// The start-up splash: the product picture without caption or frame, centred, above other
// windows without taking the focus; it closes itself after four seconds.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLifetimeMs = 4000;
    SplashWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qv
