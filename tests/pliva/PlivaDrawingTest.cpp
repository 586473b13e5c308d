#include <QTemporaryDir>
#include <cmath>

#include "PlivaTestSupport.h"
#include "app/settings/SettingsStore.h"
#include "support/PixelChecks.h"

namespace {

using namespace pixel;

bool AnyBlackAround(const FakeShell& shell, int x, int y, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (shell.pixel(x + dx, y + dy) == Black)
                return true;
        }
    }
    return false;
}

} // namespace

using PlivaDrawing = PlivaFixture;

// The square markers of a flat curve sit on the column centres X(k).
TEST_F(PlivaDrawing, MarkersSitOnTheColumnCentres)
{
    const std::pair<int, std::vector<int>> table[] = {
        {4, {77, 171, 265, 359}},
        {7, {57, 111, 164, 218, 272, 326, 379}},
        {8, {54, 101, 148, 195, 242, 289, 336, 383}},
        {12, {46, 77, 109, 140, 171, 203, 234, 265, 297, 328, 359, 391}},
    };
    for (const auto& [n, centres] : table) {
        SCOPED_TRACE(testing::Message() << "N " << n);
        SetUpCurve(n);
        const int y = ZeroY;
        for (int x : centres) {
            ExpectPixels(shell,
                         {{x, y, Pliva::DefaultMarkerColor}, {x - 4, y - 4, Black}, {x + 4, y + 4, Black}});
            EXPECT_NE(shell.pixel(x + 5, y - 4), Black) << x;
            EXPECT_NE(shell.pixel(x - 5, y + 4), Black) << x;
        }
    }
}

TEST_F(PlivaDrawing, FrameAndGridAtFourPoints)
{
    SetUpCurve(4);
    SetValues({0, Low, Low, Low, Low}); // the curve low, clear of the checked pixels
    for (int x : {124, 218, 312})
        ExpectPixels(shell, {{x, 40, Silver}, {x - 1, 40, White}, {x + 1, 40, White}, {x, 269, Silver}});
    for (int y : {90, 150, 210})
        ExpectPixels(shell, {{50, y, Silver}, {50, y - 1, White}, {50, y + 1, White}, {404, y, Silver}});
    ExpectPixels(shell, {{30, 100, Silver},
                         {405, 100, Silver},
                         {100, 30, Silver},
                         {100, 270, Silver},
                         {29, 100, White},
                         {406, 100, White},
                         {100, 271, White}});
}

// The grid's lines, found by scanning a row and a column clear of the curve, for several N.
TEST_F(PlivaDrawing, GridLinesAtEveryPointCount)
{
    struct Case {
        int n;
        std::vector<int> columns; // x of the vertical lines, frame included
        std::vector<int> rows;    // y of the horizontal lines, frame included
    };
    const Case cases[] = {
        {4, {30, 124, 218, 312, 405}, {30, 90, 150, 210, 270}},
        {7, {30, 84, 138, 191, 245, 299, 353, 405}, {30, 64, 98, 132, 166, 200, 234, 270}},
        {12,
         {30, 61, 92, 124, 155, 186, 218, 249, 280, 312, 343, 374, 405},
         {30, 50, 70, 90, 110, 130, 150, 170, 190, 210, 230, 250, 270}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "N " << c.n);
        SetUpCurve(c.n);
        PlivaModel::Values low{};
        low.fill(Low);
        SetValues(low);
        std::vector<int> columns, rows;
        for (int x = 20; x < 420; ++x)
            if (shell.pixel(x, 40) == Silver)
                columns.push_back(x);
        for (int y = 20; y < 280; ++y)
            if (shell.pixel(35, y) == Silver)
                rows.push_back(y);
        EXPECT_EQ(columns, c.columns);
        EXPECT_EQ(rows, c.rows);
    }
}

// The curve is three pixels wide: a flat curve covers its row and one row above and below.
TEST_F(PlivaDrawing, CurveIsThreePixelsWide)
{
    SetUpCurve(4);
    for (int x : {100, 124, 300}) {
        EXPECT_NE(shell.pixel(x, ZeroY - 2), Pliva::DefaultLineColor) << x;
        for (int y = ZeroY - 1; y <= ZeroY + 1; ++y)
            EXPECT_EQ(shell.pixel(x, y), Pliva::DefaultLineColor) << x << "," << y;
        EXPECT_NE(shell.pixel(x, ZeroY + 2), Pliva::DefaultLineColor) << x;
    }
}

TEST_F(PlivaDrawing, LimitsMapToTheFrameTopAndNearItsBottom)
{
    SetUpCurve(4);
    SetValues({0, High, Low, 0, 0});
    ExpectPixels(shell, {{77, 30, Pliva::DefaultMarkerColor},
                         {73, 26, Black}, // the marker reaches above the frame
                         {171, 261, Pliva::DefaultMarkerColor},
                         {171, 265, Black}, // and ends 5 rows above the bottom edge
                         {171, 266, White}});

    // Moving the top point away leaves nothing of its marker above the frame.
    pliva.model().setArrowColumn(1, {0, -2, 0, 0, 0});
    pliva.Move(1, +1);
    EXPECT_EQ(shell.pixel(73, 26), White);
    EXPECT_EQ(shell.pixel(77, 28), White);
}

TEST_F(PlivaDrawing, MarkerShapesFollowTheStyle)
{
    struct Case {
        int style;
        std::vector<PixelCheck> checks;
    };
    const int x = 171;
    const int y = ZeroY;
    const ColorRef fill = Pliva::DefaultMarkerColor;
    const Case cases[] = {
        {1, {{x, y, fill}, {x - 4, y - 4, Black}, {x + 4, y + 4, Black}, {x - 5, y - 4, White}}},
        {2, {{x, y + 2, fill}, {x, y - 4, Black}, {x, y + 4, Black}, {x - 4, y - 4, White}}},
        {3,
         {{x, y + 2, fill},
          {x, y - 5, Black},
          {x - 5, y + 4, Black},
          {x + 5, y + 4, Black},
          {x, y + 4, Black},
          {x - 4, y - 4, White},
          {x, y + 5, White}}},
        {4,
         {{x, y - 3, fill},
          {x, y - 5, Black},
          {x, y + 5, Black},
          {x - 5, y, Black},
          {x + 5, y, Black},
          {x - 4, y - 4, White}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        SetUpCurve(4);
        while (pliva.dmode() != c.style)
            pliva.MouseDownLeft(470, 40);
        for (const PixelCheck& check : c.checks)
            EXPECT_EQ(shell.pixel(check.x, check.y), check.color) << "at " << check.x << "," << check.y;
    }
}

// Style 0 and any stored style outside 0..4 leave the bare line.
TEST_F(PlivaDrawing, NoMarkersForStyleZeroOrOutOfRange)
{
    QTemporaryDir directory;
    SettingsStore store(directory.filePath(QStringLiteral("V1.ini")));
    for (int style : {0, 7, -1}) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        store.WriteInteger(QStringLiteral("pliva"), QStringLiteral("dmode"), style);
        pliva.LoadSettings(store);
        SetUpCurve(4);
        EXPECT_FALSE(AnyBlackAround(shell, 171, ZeroY, 6));
        EXPECT_EQ(shell.pixel(171, ZeroY), Pliva::DefaultLineColor);
    }
}

// A hand-edited file may name system colours; they draw as the desktop's colours, not as the
// low bits of their stored value.
TEST_F(PlivaDrawing, SystemColourNamesDrawAsThoseColours)
{
    QTemporaryDir directory;
    SettingsStore store(directory.filePath(QStringLiteral("V1.ini")));
    store.WriteString(QStringLiteral("pliva"), QStringLiteral("lcol"), QStringLiteral("clBtnFace"));
    store.WriteString(QStringLiteral("pliva"), QStringLiteral("dcol"), QStringLiteral("clHighlight"));
    store.WriteInteger(QStringLiteral("pliva"), QStringLiteral("dmode"), 1);
    pliva.LoadSettings(store);
    SetUpCurve(4);
    EXPECT_EQ(shell.pixel(124, ZeroY), colorRef(0xD4, 0xD0, 0xC8)) << "the curve in button face";
    bool markerSeen = false;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
            markerSeen |= shell.pixel(77 + dx, ZeroY + dy) == colorRef(0x0A, 0x24, 0x6A);
    EXPECT_TRUE(markerSeen) << "the markers in highlight blue";
}

// Every column shows its own arrows and outline when hovered, the last one included.
TEST_F(PlivaDrawing, EveryColumnShowsItsArrowsWhenHovered)
{
    const std::pair<int, std::vector<int>> table[] = {
        {4, {77, 171, 265, 359}},
        {7, {57, 111, 164, 218, 272, 326, 379}},
        {12, {46, 77, 109, 140, 171, 203, 234, 265, 297, 328, 359, 391}},
    };
    for (const auto& [n, centres] : table) {
        SetUpCurve(n); // column j carries one up arrow of size 1 under point j
        const int w = static_cast<int>(std::nearbyint(376.0 / n)) - 1;
        for (int j = 1; j <= n; ++j) {
            SCOPED_TRACE(testing::Message() << "N " << n << " column " << j);
            const int x = centres[j - 1];
            pliva.MouseMove(x, 295);
            ASSERT_EQ(pliva.pointerColumn(), j);
            const int left = x - w / 2 - 1;
            ExpectPixels(shell, {{x, 297, Red},
                                 {x, 296, White},
                                 {x - 3, 300, Red},
                                 {x + 3, 300, Red},
                                 {left, 285, Black},
                                 {left + w, 307, Black},
                                 {left - 1, 296, White},
                                 {left + w + 1, 296, White}});
            for (int k = 1; k <= n; ++k) {
                if (k != j) {
                    EXPECT_EQ(shell.pixel(centres[k - 1], 297), White) << "no arrow under point " << k;
                }
            }
        }
    }
}

TEST_F(PlivaDrawing, ArrowRowShowsTheHoveredColumn)
{
    SetUpCurve(4);
    pliva.model().setArrowColumn(2, {0, 1, -2, 0, 2});
    pliva.MouseMove(171, 295);
    ASSERT_EQ(pliva.pointerColumn(), 2);
    ExpectPixels(shell, {
                            // up arrow of size 1 under point 1: tip at 297, base at 300
                            {77, 297, Red},
                            {77, 296, White},
                            {74, 300, Red},
                            {80, 300, Red},
                            {73, 300, White},
                            {81, 300, White},
                            {77, 301, White},
                            // down arrow of size 2 under point 2: base at 291, tip at 296
                            {171, 291, Blue},
                            {166, 291, Blue},
                            {176, 291, Blue},
                            {165, 291, White},
                            {177, 291, White},
                            {171, 290, White},
                            {171, 296, Blue},
                            {171, 297, White},
                            // up arrow of size 2 under point 4: tip at 296, base at 301
                            {359, 296, Red},
                            {359, 295, White},
                            {354, 301, Red},
                            {364, 301, Red},
                            {353, 301, White},
                            {359, 302, White},
                            // the outline of column 2
                            {124, 285, Black},
                            {217, 285, Black},
                            {217, 307, Black},
                            {124, 307, Black},
                            {150, 285, Black},
                            {124, 300, Black},
                            {123, 285, White},
                            {218, 285, White},
                            {124, 308, White},
                        });
    for (int y = 286; y <= 306; ++y)
        EXPECT_EQ(shell.pixel(265, y), White) << "no arrow under point 3, row " << y;

    pliva.MouseMove(171, 320);
    ExpectPixels(shell, {{77, 297, White}, {171, 291, White}, {124, 285, White}});
}
