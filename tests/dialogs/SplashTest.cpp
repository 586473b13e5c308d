#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/dialogs/Splash.h"

namespace {

TEST(Splash, IsAFramelessPictureAboveEverythingInTheMiddleOfTheScreen)
{
    TSplash splash;
    splash.showAndPaint();
    EXPECT_TRUE(splash.painted()) << "showAndPaint returned before the picture was painted";
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.size(), QSize(200, 150));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(splash.geometry().center(), splash.screen()->geometry().center());
    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = QImage(QStringLiteral(":/art/splash.png")).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, picture) << "the picture alone, nothing drawn over it";
}

TEST(Splash, HidesAtOnceOnAClick)
{
    TSplash splash;
    splash.showAndPaint();
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 75));
    EXPECT_FALSE(splash.isVisible());
}

TEST(Splash, HidesByItselfAfterThreeSeconds)
{
    QElapsedTimer sinceCreated;
    sinceCreated.start();
    TSplash splash;
    splash.showAndPaint();
    QTest::qWait(2500 - static_cast<int>(sinceCreated.elapsed()));
    EXPECT_TRUE(splash.isVisible()) << "gone before its three seconds";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 5000)) << "still up after its time";
}

// Closing the main window ends the program even while the splash is still up.
TEST(Splash, DoesNotKeepTheProgramAliveAfterTheMainWindowCloses)
{
    QWidget mainWindow;
    mainWindow.show();
    TSplash splash;
    splash.showAndPaint();
    constexpr int stillRunning = 77;
    QTimer::singleShot(0, &mainWindow, &QWidget::close);
    QTimer::singleShot(2000, qApp, [] { QCoreApplication::exit(stillRunning); });
    EXPECT_EQ(QApplication::exec(), 0) << "the program went on after its last window closed";
}

} // namespace
