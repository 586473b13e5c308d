#include <QTemporaryDir>

#include "VexorTestSupport.h"
#include "app/settings/SettingsStore.h"

namespace {

using Table = VexorModel::Table;

constexpr ColorRef Colour1 = Vexor::DefaultColours[1];        // #FF8080
constexpr ColorRef DarkColour1 = colorRef(0xBF, 0x60, 0x60);  // x 3 div 4
constexpr ColorRef LightColour4 = colorRef(0xFF, 0xC0, 0x00); // #FF8000 x 3 div 2, at most 255
constexpr ColorRef Colour2 = Vexor::DefaultColours[2];        // #FFFF80
constexpr ColorRef DarkColour2 = colorRef(0xBF, 0xBF, 0x60);
constexpr ColorRef Colour3 = Vexor::DefaultColours[3];

// Four accounts: 100 exactly, 40, 160 and 100. reachLimit 160 gives 262 / 160 pixels a unit and
// the plate line at y = 138, rising to 128; slots start at x = 30, 114, 199, 284.
const Table PlateTable = MakeTable({{25, 25, 25, 25}, {10, 10, 10, 10}, {40, 40, 40, 40}, {25, 25, 25, 25}});

class VexorDrawing : public VexorFixture {
  protected:
    void SetSwitches(bool fit, bool lin)
    {
        if (vexor.fit() != fit)
            vexor.MouseDownLeft(470, 85);
        if (vexor.lin() != lin)
            vexor.MouseDownLeft(450, 85);
        shell.clearRecords();
    }

    void ExpectPixel(int x, int y, ColorRef colour, const char* what = "") const
    {
        EXPECT_EQ(shell.pixel(x, y), colour) << what << " at " << x << "," << y << std::hex << " want "
                                             << colour << " got " << shell.pixel(x, y);
    }

    void ExpectBackground(int x, int y) const { EXPECT_TRUE(IsBackground(x, y)) << "at " << x << "," << y; }

    int BlackPixelsIn(const QRect& rect) const
    {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += shell.pixel(x, y) == Black ? 1 : 0;
        }
        return count;
    }
};

} // namespace

// Solved boards of 25-unit bookings with fit on: every bar is as high as the highest.
TEST_F(VexorDrawing, BarGeometryFollowsTheNumberOfAccounts)
{
    struct Case {
        int accounts;
        int width;
        int depth;
        int rise;
        std::vector<int> lefts;
    };
    const Case cases[] = {
        {4, 42, 21, 10, {51, 135, 220, 305}},
        {5, 34, 17, 8, {47, 115, 182, 250, 317}},
        {6, 28, 14, 7, {44, 100, 157, 213, 269, 326}},
        {7, 24, 12, 6, {42, 90, 139, 187, 235, 283, 332}},
        {8, 21, 10, 5, {40, 82, 124, 167, 209, 251, 294, 336}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.accounts << " accounts");
        SetUpBoard(c.accounts - 3, 1, SolvedTable(c.accounts, 4));
        SetSwitches(true, false);
        const int top = 30 + c.rise;
        for (int x0 : c.lefts) {
            const int x1 = x0 + c.width;
            // Front face of booking 1, its darkened side face and their outlines.
            ExpectBackground(x0 - 1, 290);
            ExpectPixel(x0, 290, Black);
            ExpectPixel(x0 + 1, 290, Colour1);
            ExpectPixel(x1 - 1, 290, Colour1);
            ExpectPixel(x1, 290, Black);
            ExpectPixel(x1 + 1, 290, DarkColour1);
            ExpectPixel(x1 + c.depth - 1, 290, DarkColour1);
            ExpectPixel(x1 + c.depth, 290, Black);
            ExpectBackground(x1 + c.depth + 1, 290);
            // The top face starts at y = 30 + dy and rises to y = 30.
            ExpectPixel(x0, top, Black);
            ExpectBackground(x0, top - 1);
            ExpectPixel(x1 + c.depth, 30, Black);
            ExpectBackground(x1 + c.depth, 29);
        }
    }
}

TEST_F(VexorDrawing, PlateLiesOverLowBarsAndHigherBarsStandThroughIt)
{
    SetUpBoard(1, 1, PlateTable);
    SetSwitches(false, true);

    // Account 1 at exactly 100: plate left of the front, the lightened top face, plate right of it.
    ExpectPixel(35, 137, Black);
    ExpectPixel(45, 133, Black);
    ExpectPixel(82, 133, LightColour4);
    ExpectPixel(110, 134, Black);
    ExpectPixel(72, 140, Vexor::DefaultColours[4]);
    // Account 2 at 40: the whole plate of its slot, above the bar.
    ExpectPixel(156, 133, Black);
    ExpectPixel(200, 133, Black);
    // Account 3 at 160: its front shows booking 3 through the plate; the plate's right part covers
    // part of the side face.
    ExpectPixel(212, 133, Black);
    ExpectPixel(241, 133, Colour3);
    ExpectPixel(275, 134, Black);
    ExpectPixel(285, 134, Black);
    // Account 4 at exactly 100, like account 1.
    ExpectPixel(336, 133, LightColour4);
    ExpectPixel(290, 137, Black);
    // The plate line and its rise.
    ExpectBackground(156, 139);
    ExpectBackground(170, 127);
}

TEST_F(VexorDrawing, NoPlateWithLinOff)
{
    SetUpBoard(1, 1, PlateTable);
    SetSwitches(false, false);
    for (const QPoint p : {QPoint(35, 137), QPoint(45, 133), QPoint(156, 133), QPoint(200, 133),
                           QPoint(212, 133), QPoint(285, 134), QPoint(290, 137)})
        ExpectBackground(p.x(), p.y());
    ExpectPixel(82, 133, LightColour4);
    // The side faces the plate's right parts covered.
    ExpectPixel(110, 134, colorRef(0xBF, 0x60, 0x00), "account 1, booking 4");
    ExpectPixel(275, 134, colorRef(0x60, 0xBF, 0x60), "account 3, booking 3");
    // Black is left only in the outlines: none in the gaps between the slots' bars.
    for (int y = BarArea.top(); y <= BarArea.bottom(); ++y) {
        for (int x : {28, 36, 45, 120, 130, 205, 290, 300}) {
            EXPECT_NE(shell.pixel(x, y), Black) << x << "," << y;
        }
    }
}

// Account 1 is the highest at 120; reachLimit is 220.
TEST_F(VexorDrawing, FitScalesTheHighestAccountToTheTopAndOtherwiseTheScaleStays)
{
    SetUpBoard(1, 1, MakeTable({{60, 10, 10, 40}, {10, 60, 10, 0}, {10, 10, 60, 20}, {20, 20, 20, 40}}));
    SetSwitches(true, false);
    ExpectPixel(51, 40, Black);
    ExpectBackground(51, 39);

    // Fit off: 262 / 220 pixels a unit puts the top at 302 - 143 and the plate line at 302 - 119.
    SetSwitches(false, true);
    ExpectPixel(51, 159, Black);
    ExpectBackground(51, 158);
    ExpectPixel(156, 178, Black);
    ExpectBackground(156, 184);

    // Account 4 rises to 140: the plate line stays where it was.
    vexor.MouseDownLeft(410, 290);
    ASSERT_EQ(vexor.model().highestSum(), 140);
    ExpectPixel(156, 178, Black);
    ExpectBackground(156, 184);

    // Fit on follows the new highest account.
    SetSwitches(true, false);
    ExpectPixel(305, 40, Black);
    ExpectBackground(305, 39);
}

// A stored system colour stays a system colour; its faces and their shades come from the
// desktop's colour (button face #D4D0C8, button shadow #808080), not from the stored number.
TEST_F(VexorDrawing, SystemColoursAreDrawnAsTheDesktopsColoursAndStoredByName)
{
    QTemporaryDir directory;
    SettingsStore store(directory.filePath(QStringLiteral("V1.ini")));
    const QString section = QStringLiteral("vexor");
    store.WriteString(section, QStringLiteral("col1"), QStringLiteral("clBtnFace"));
    store.WriteString(section, QStringLiteral("col4"), QStringLiteral("clBtnShadow"));
    vexor.LoadSettings(store);
    SetUpBoard(1, 1, SolvedTable(4, 4));
    SetSwitches(false, false);

    // 262 / 100 pixels a unit: account 1 has booking 1 below y = 236 and its top at y = 40.
    ExpectPixel(72, 290, colorRef(0xD4, 0xD0, 0xC8), "front face of booking 1");
    ExpectPixel(100, 280, colorRef(0x9F, 0x9C, 0x96), "side face of booking 1");
    ExpectPixel(72, 50, colorRef(0x80, 0x80, 0x80), "front face of booking 4");
    ExpectPixel(100, 60, colorRef(0x60, 0x60, 0x60), "side face of booking 4");
    ExpectPixel(82, 35, colorRef(0xC0, 0xC0, 0xC0), "top face");
    ExpectPixel(412, 286, colorRef(0xD4, 0xD0, 0xC8), "left arrow of row 1");
    ExpectPixel(428, 205, colorRef(0x80, 0x80, 0x80), "right arrow of row 4");

    vexor.SaveSettings(store);
    EXPECT_EQ(store.ReadString(section, QStringLiteral("col1"), QString()), "clBtnFace");
    EXPECT_EQ(store.ReadString(section, QStringLiteral("col4"), QString()), "clBtnShadow");
}

TEST_F(VexorDrawing, ZeroBookingIsDrawnAsItsOutlinesOnly)
{
    SetUpBoard(1, 1, MakeTable({{30, 0, 30, 40}, {25, 25, 25, 25}, {25, 25, 25, 25}, {20, 40, 20, 20}}));
    SetSwitches(false, false);
    // 262 / 140 pixels a unit: booking 1 ends and booking 3 starts at y = 246.
    ExpectPixel(72, 247, Colour1);
    ExpectPixel(72, 246, Black);
    ExpectPixel(72, 245, Colour3);
    for (int y = BarArea.top(); y <= BarArea.bottom(); ++y) {
        for (int x = 30; x < 114; ++x) {
            const ColorRef pixel = shell.pixel(x, y);
            ASSERT_TRUE(pixel != Colour2 && pixel != DarkColour2) << x << "," << y;
        }
    }
    ExpectPixel(156, 230, Colour2, "account 2 shows position 2");
}

TEST_F(VexorDrawing, ArrowsPerRowAndRowsAboveClearedAfterFewerBookings)
{
    SetUpBoard(1, 2, SolvedTable(4, 5));
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(testing::Message() << "row " << k);
        const int yt = 302 - 27 * k;
        ExpectPixel(412, yt + 11, Vexor::DefaultColours[k]);
        ExpectPixel(428, yt + 11, Vexor::DefaultColours[k]);
        ExpectPixel(403, yt + 11, Black);
        ExpectBackground(402, yt + 11);
        ExpectPixel(437, yt + 11, Black);
        ExpectBackground(438, yt + 11);
        ExpectPixel(417, yt, Black);
        ExpectPixel(417, yt + 22, Black);
        ExpectBackground(417, yt - 1);
        ExpectPixel(423, yt, Black);
        ExpectBackground(423, yt + 23);
        ExpectBackground(420, yt + 11);
    }

    vexor.OptionZClick(false);
    ASSERT_EQ(vexor.model().bookingCount(), 4);
    for (int y = ArrowColumn.top(); y < 302 - 27 * 4; ++y) {
        for (int x = ArrowColumn.left(); x <= ArrowColumn.right(); ++x)
            ASSERT_TRUE(IsBackground(x, y)) << x << "," << y;
    }
    ExpectPixel(412, 205, Vexor::DefaultColours[4]);
}

TEST_F(VexorDrawing, HoveredArrowGetsTheWideOutline)
{
    SetUpBoard(1, 1, SolvedTable(4, 4));
    const QRect leftArrow2(401, 248 - 2, 19, 27);
    const QRect rightArrow2(420, 248 - 2, 19, 27);
    const int thinLeft = BlackPixelsIn(leftArrow2);
    const int thinRight = BlackPixelsIn(rightArrow2);
    ExpectPixel(416, 259, Vexor::DefaultColours[2]);

    vexor.MouseMove(410, 260);
    EXPECT_GT(BlackPixelsIn(leftArrow2), thinLeft + 20);
    EXPECT_EQ(BlackPixelsIn(rightArrow2), thinRight);
    ExpectPixel(416, 259, Black);

    vexor.MouseMove(430, 260);
    EXPECT_EQ(BlackPixelsIn(leftArrow2), thinLeft);
    EXPECT_GT(BlackPixelsIn(rightArrow2), thinRight + 20);
    EXPECT_EQ(shell.sounds, (std::vector<int>{7, 7}));
}

TEST_F(VexorDrawing, EachDrawingTouchesOnlyItsOwnRectangle)
{
    SetUpBoard(1, 1, PlateTable);
    const QRgb marker = qRgb(1, 2, 3);
    shell.screenImage.fill(marker);

    vexor.DrawBars();
    EXPECT_EQ(shell.changedRects, std::vector<QRect>{BarArea});
    EXPECT_EQ(shell.screenImage.pixel(26, 200), marker);
    EXPECT_EQ(shell.screenImage.pixel(390, 200), marker);
    EXPECT_EQ(shell.screenImage.pixel(200, 305), marker);
    EXPECT_EQ(shell.screenImage.pixel(200, 26), marker);
    EXPECT_TRUE(IsBackground(27, 27));
    EXPECT_TRUE(IsBackground(389, 304));

    vexor.DrawArrows();
    EXPECT_EQ(shell.changedRects.back(), ArrowColumn);
    EXPECT_EQ(shell.screenImage.pixel(400, 200), marker);
    EXPECT_EQ(shell.screenImage.pixel(439, 200), marker);
    EXPECT_TRUE(IsBackground(401, 76));
    EXPECT_TRUE(IsBackground(438, 304));

    shell.clearRecords();
    vexor.PaintPuzzle();
    EXPECT_EQ(shell.changedRects, (std::vector<QRect>{WholeArea, BarArea, ArrowColumn}));
    for (const QPoint p :
         {QPoint(0, 0), QPoint(499, 332), QPoint(470, 85), QPoint(26, 200), QPoint(439, 200)})
        EXPECT_TRUE(IsBackground(p.x(), p.y())) << p.x() << "," << p.y();
}

using VexorInput = VexorDrawing;

// Four bookings: row 1 is hit at y 276..302, row 4 at 195..221; x = 420 belongs to the right.
TEST_F(VexorInput, PointerRowsAndSides)
{
    struct Case {
        int x;
        int y;
        int side;
        int row;
    };
    const Case cases[] = {
        {401, 290, 0, 0}, {402, 290, 1, 1}, {419, 290, 1, 1}, {420, 290, 2, 1}, {438, 290, 2, 1},
        {439, 290, 0, 0}, {410, 302, 1, 1}, {410, 303, 0, 0}, {410, 276, 1, 1}, {410, 275, 1, 2},
        {410, 195, 1, 4}, {410, 194, 0, 0}, {300, 290, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        SetUpBoard(1, 1, SolvedTable(4, 4));
        vexor.MouseMove(c.x, c.y);
        EXPECT_EQ(vexor.hoverSide(), c.side);
        EXPECT_EQ(vexor.hoverRow(), c.row);
        EXPECT_EQ(shell.sounds.size(), c.row == 0 ? 0u : 1u);
        // Back outside: one more sound when an arrow was under the pointer.
        vexor.MouseMove(0, 0);
        EXPECT_EQ(shell.sounds.size(), c.row == 0 ? 0u : 2u);
    }
}

TEST_F(VexorInput, ArrowChangesSoundOnceAndRedrawOnlyTheArrowColumn)
{
    SetUpBoard(1, 1, SolvedTable(4, 4));
    vexor.MouseMove(410, 290); // left arrow, row 1
    vexor.MouseMove(412, 280); // still there
    vexor.MouseMove(425, 290); // right arrow, same row
    vexor.MouseMove(425, 260); // row 2
    vexor.MouseMove(445, 260); // off the arrows
    vexor.MouseMove(450, 250); // still off
    EXPECT_EQ(shell.sounds, (std::vector<int>{7, 7, 7, 7}));
    EXPECT_EQ(shell.changedRects, std::vector<QRect>(4, ArrowColumn));
    EXPECT_EQ(vexor.hoverSide(), 0);
    EXPECT_EQ(vexor.hoverRow(), 0);
}

// A left press on x = 402, x = 438 or y = 302 hits an arrow, a right press there does not.
TEST_F(VexorInput, LeftAndRightPressesHaveDifferentBorders)
{
    struct Case {
        int x;
        int y;
        int leftRow; // 0: no move
        VexorModel::Shift shift;
        int rightRow; // 0: no colour dialog
    };
    using enum VexorModel::Shift;
    const Case cases[] = {
        {401, 290, 0, Left, 0},  {402, 290, 1, Left, 0},  {403, 290, 1, Left, 1},  {419, 290, 1, Left, 1},
        {420, 290, 1, Right, 1}, {437, 290, 1, Right, 1}, {438, 290, 1, Right, 0}, {439, 290, 0, Left, 0},
        {410, 302, 1, Left, 0},  {410, 301, 1, Left, 1},  {410, 303, 0, Left, 0},  {410, 275, 2, Left, 2},
        {430, 195, 4, Right, 4}, {430, 194, 0, Left, 0},
    };
    const Table start = MakeTable({{10, 20, 30, 40}, {81, 5, 5, 9}, {3, 50, 20, 27}, {7, 25, 45, 23}});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        SetUpBoard(1, 1, start);
        vexor.MouseDownRight(c.x, c.y);
        if (c.rightRow == 0)
            EXPECT_TRUE(shell.colorRequests.empty());
        else
            EXPECT_EQ(shell.colorRequests, std::vector<ColorRef>{Vexor::DefaultColours[c.rightRow]});
        EXPECT_EQ(vexor.model().bookings(), start) << "the right button makes no move";

        vexor.MouseDownLeft(c.x, c.y);
        SeededRandom unused;
        VexorModel expected(unused);
        ASSERT_TRUE(expected.setBookings(start));
        if (c.leftRow != 0)
            expected.startMove(c.leftRow, c.shift);
        EXPECT_EQ(vexor.model().bookings(), expected.bookings());
    }
}

TEST_F(VexorInput, SwitchesToggleInsideTheirFramesAndRedrawOnlyTheBars)
{
    struct Case {
        int x;
        int y;
        bool lin;
        bool fit;
    };
    const Case cases[] = {
        {447, 85, true, false},  {465, 85, true, false}, {446, 85, false, false}, {466, 85, false, false},
        {467, 85, false, true},  {485, 85, false, true}, {486, 85, false, false}, {450, 76, false, false},
        {450, 77, true, false},  {450, 95, true, false}, {450, 96, false, false}, {480, 77, false, true},
        {480, 96, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        SetUpBoard(1, 1, PlateTable);
        SetSwitches(false, true);
        vexor.MouseDownLeft(c.x, c.y);
        EXPECT_EQ(vexor.lin(), !c.lin);
        EXPECT_EQ(vexor.fit(), c.fit);
        const bool toggled = c.lin || c.fit;
        EXPECT_EQ(shell.changedRects, toggled ? std::vector<QRect>{BarArea} : std::vector<QRect>{});
        EXPECT_TRUE(shell.sounds.empty());
        EXPECT_EQ(shell.state, PlayState::Fresh);
    }
}

TEST_F(VexorInput, ColourChoiceRecoloursRowAndBarsOnlyWhenConfirmed)
{
    SetUpBoard(1, 1, PlateTable);
    vexor.MouseDownRight(410, 260); // row 2, cancelled
    EXPECT_EQ(shell.colorRequests, std::vector<ColorRef>{Vexor::DefaultColours[2]});
    EXPECT_EQ(vexor.colours(), Vexor::DefaultColours);
    EXPECT_TRUE(shell.changedRects.empty());

    const ColorRef chosen = colorRef(0x12, 0x34, 0x56);
    shell.colorAnswer = chosen;
    vexor.MouseDownRight(430, 260);
    EXPECT_EQ(vexor.colours()[2], chosen);
    EXPECT_EQ(shell.changedRects, (std::vector<QRect>{ArrowColumn, BarArea}));
    ExpectPixel(412, 259, chosen);
    ExpectPixel(72, 240, chosen, "booking 2 of account 1");
    EXPECT_TRUE(shell.sounds.empty());
    EXPECT_EQ(shell.state, PlayState::Fresh) << "no move";
    EXPECT_EQ(shell.solvedCalls, 0) << "no win test";
}
