#include <gtest/gtest.h>

#include "app/settings/WindowPlacement.h"

namespace {

const QSize windowSize(516, 405);
const QRect desktop(0, 0, 1920, 1080);

TEST(WindowPlacement, TextHasMarkFlagsShowAndExclusiveEdges)
{
    EXPECT_EQ(placementText(0, 1, QRect(10, 20, 500, 366)), "200,0,1,10,20,510,386");
    EXPECT_EQ(placementText(2, 3, QRect(-8, -30, 516, 405)), "200,2,3,-8,-30,508,375");
}

TEST(WindowPlacement, StoredTextRoundTripsToItsTopLeft)
{
    const QString text = placementText(0, 1, QRect(QPoint(300, 200), windowSize));
    EXPECT_EQ(restoredWindowPosition(text, windowSize, desktop), QPoint(300, 200));
}

TEST(WindowPlacement, KeepsOwnSizeAndIgnoresStoredRightAndBottom)
{
    EXPECT_EQ(restoredWindowPosition("200,0,2,100,50,101,51", windowSize, desktop), QPoint(100, 50));
}

TEST(WindowPlacement, OtherFormsAreRejected)
{
    for (const char* text :
         {"", "200", "200,0,1,10,20,510", "200,0,1,10,20,510,386,0", "201,0,1,10,20,510,386",
          "200,0,1,ten,20,510,386", "200,0,1,10,20,510,", "200,0,1,10,20,510,386x", "200;0;1;10;20;510;386",
          "200,0,1,10,20,510,99999999999"})
        EXPECT_EQ(restoredWindowPosition(text, windowSize, desktop), std::nullopt) << text;
}

TEST(WindowPlacement, IsPulledBackOntoTheDesktop)
{
    struct Case {
        const char* stored;
        QPoint expected;
    };
    // right = 1920 + 100 beyond the desktop: flush with its right edge.
    const Case cases[] = {
        {"200,0,1,1504,300,2020,705", {1404, 300}},
        {"200,0,1,300,900,816,1305", {300, 675}},
        {"200,0,1,-40,-10,476,395", {0, 0}},
        {"200,0,1,5000,5000,5516,5405", {1404, 675}},
        {"200,0,1,2147483647,-2147483648,0,0", {1404, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(restoredWindowPosition(c.stored, windowSize, desktop), c.expected) << c.stored;
}

TEST(WindowPlacement, DesktopAwayFromOriginBoundsAllFourSides)
{
    const QRect secondScreen(1920, 100, 1280, 1024);
    EXPECT_EQ(restoredWindowPosition("200,0,1,0,0,0,0", windowSize, secondScreen), QPoint(1920, 100));
    EXPECT_EQ(restoredWindowPosition("200,0,1,3100,1100,0,0", windowSize, secondScreen), QPoint(2684, 719));
}

TEST(WindowPlacement, WindowLargerThanDesktopStartsAtItsTopLeft)
{
    // The far edges are pulled in first, then the near ones win.
    const QSize huge(2500, 1500);
    EXPECT_EQ(restoredWindowPosition("200,0,1,700,400,0,0", huge, desktop), QPoint(0, 0));
    EXPECT_EQ(restoredWindowPosition("200,0,1,-700,-400,0,0", huge, QRect(50, 60, 1920, 1080)),
              QPoint(50, 60));
}

} // namespace
