#include "platform/misc.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

TEST(Misc, BeepsAreCountedAndWaitCursorsNest) {
    EXPECT_EQ(pf::beepCount(), 0);
    pf::beep();
    pf::beep();
    EXPECT_EQ(pf::beepCount(), 2);
    {
        pf::WaitCursor outer;
        { pf::WaitCursor inner; }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Misc, ScreenSizeOverrideAndTicks) {
    const pf::Size real = pf::screenSize();
    EXPECT_GT(real.width, 0);
    pf::setScreenSizeOverride({640, 480});
    EXPECT_EQ(pf::screenSize().width, 640);
    EXPECT_EQ(pf::screenSize().height, 480);
    pf::setScreenSizeOverride({});
    EXPECT_EQ(pf::screenSize().width, real.width);
    const std::uint32_t t0 = pf::tickCount();
    QTest::qWait(20);
    EXPECT_GE(pf::tickCount() - t0, 15u);
}

TEST(Misc, KeyStateFollowsInput) {
    QWidget w;
    w.show();
    QTest::keyPress(&w, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_TRUE(pf::shiftDown());
    EXPECT_FALSE(pf::controlDown());
    QTest::keyRelease(&w, Qt::Key_Shift);
    QTest::keyPress(&w, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_FALSE(pf::shiftDown());
    EXPECT_TRUE(pf::controlDown());
    QTest::keyRelease(&w, Qt::Key_Control);
    EXPECT_FALSE(pf::controlDown());
}

TEST(Misc, PumpStopsOnceQuitIsRequested) {
    bool ran = false;
    QMetaObject::invokeMethod(
        qApp, [&] { ran = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(pf::pumpMessages());
    EXPECT_TRUE(ran);
    pf::requestQuit();
    EXPECT_TRUE(pf::quitRequested());
    EXPECT_FALSE(pf::pumpMessages());
    pf::clearQuitRequest();
    // The application's own quit request is seen too, without an event loop running.
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &quit);
    EXPECT_TRUE(pf::quitRequested());
    pf::clearQuitRequest();
}
