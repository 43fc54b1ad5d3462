#include "platform/misc.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <atomic>
#include <chrono>

namespace pf {
namespace {

std::atomic<int> g_beeps{0};
std::atomic<bool> g_quit{false};
Size g_screenOverride;

// Sees the application's quit request whether or not an event loop is running, so that a
// pump loop inside a long operation stops when the user closes the program.
class QuitWatcher final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            g_quit = true;
        return false;
    }
};

void installQuitWatcher() {
    QCoreApplication* app = QCoreApplication::instance();
    g_quit = false;
    auto* watcher = new QuitWatcher;
    watcher->setParent(app);
    app->installEventFilter(watcher);
    QObject::connect(app, &QCoreApplication::aboutToQuit, watcher, [] { g_quit = true; });
}

} // namespace
} // namespace pf

static void pfInstallQuitWatcher() {
    pf::installQuitWatcher();
}
Q_COREAPP_STARTUP_FUNCTION(pfInstallQuitWatcher)

namespace pf {

void beep() {
    ++g_beeps;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}

int beepCount() {
    return g_beeps;
}
void resetBeepCount() {
    g_beeps = 0;
}

WaitCursor::WaitCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

std::uint32_t tickCount() {
    using namespace std::chrono;
    return std::uint32_t(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Size screenSize() {
    if (g_screenOverride.width > 0 && g_screenOverride.height > 0)
        return g_screenOverride;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect r = screen->availableGeometry();
            return {r.width(), r.height()};
        }
    }
    // No screen at all (a command-line tool): the size the layouts were designed for.
    return {1024, 768};
}

void setScreenSizeOverride(Size size) {
    g_screenOverride = size;
}

bool pumpMessages() {
    if (g_quit)
        return false;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !g_quit;
}

bool quitRequested() {
    return g_quit;
}
void requestQuit() {
    g_quit = true;
}
void clearQuitRequest() {
    g_quit = false;
}

// The state as of the input event being handled, which is what key-state checks inside a
// handler want (and what simulated input in tests sets).
bool shiftDown() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
           (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
}

bool controlDown() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
           (QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
}

bool altDown() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
           (QGuiApplication::keyboardModifiers() & Qt::AltModifier);
}

} // namespace pf
