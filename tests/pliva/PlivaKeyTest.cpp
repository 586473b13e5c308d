#include <QTemporaryDir>
#include <map>
#include <tuple>

#include "app/settings/SettingsStore.h"

#include "PlivaKeySolver.h"
#include "PlivaTestSupport.h"

namespace {

const QRect ArrowRow(30, 285, 376, 48);

// Column centres X(k) at the smallest and the largest level.
const std::pair<int, std::vector<int>> Centres[] = {
    {4, {77, 171, 265, 359}},
    {12, {46, 77, 109, 140, 171, 203, 234, 265, 297, 328, 359, 391}},
};

std::vector<std::tuple<int, int, int, int>> Places(const KeyTargetSet& set)
{
    std::vector<std::tuple<int, int, int, int>> places;
    for (const KeyTarget& target : set.targets)
        places.emplace_back(target.at.x(), target.at.y(), target.row, target.column);
    return places;
}

// What the shell does for Space (left) or Shift+Space (right) with the cursor on target index.
void PressTarget(Pliva& pliva, int index, bool right)
{
    const QPoint at = pliva.KeyTargets().targets.at(index).at;
    pliva.MouseMove(at.x(), at.y());
    pliva.ShowKeyCursor(index);
    if (right)
        pliva.MouseDownRight(at.x(), at.y());
    else
        pliva.MouseDownLeft(at.x(), at.y());
}

} // namespace

class PlivaKeys : public PlivaFixture {
  protected:
    void SolveByKeys()
    {
        int presses = 0;
        while (shell.solvedCalls == 0 && presses < 30) {
            const std::optional<PlivaKeyPress> press = NextPlivaKeyPress(pliva.model());
            ASSERT_TRUE(press.has_value()) << "after " << presses << " presses";
            PressTarget(pliva, press->target, press->right);
            ++presses;
        }
        EXPECT_EQ(shell.solvedCalls, 1);
        EXPECT_TRUE(pliva.model().CurveRises());
        EXPECT_FALSE(NextPlivaKeyPress(pliva.model()).has_value());
        for (int sound : shell.sounds)
            EXPECT_NE(sound, 12) << "no refused press";
    }
};

// A column's point shows the outline and arrows the mouse shows anywhere over that column, and
// the two presses move that column's point (unit arrows: column j moves point j by one).
TEST_F(PlivaKeys, ColumnTargetsActAsThePointerOverTheirColumn)
{
    for (const auto& [n, centres] : Centres) {
        SetUpCurve(n);
        const KeyTargetSet set = pliva.KeyTargets();
        ASSERT_EQ(set.targets.size(), static_cast<size_t>(n + 3));
        EXPECT_EQ(set.first, 0) << "column 1";
        for (int j = 1; j <= n; ++j) {
            SCOPED_TRACE(testing::Message() << "N " << n << " column " << j);
            const KeyTarget& target = set.targets[j - 1];
            EXPECT_EQ(std::pair(target.row, target.column), std::pair(0, j - 1));
            pliva.MouseMove(centres[j - 1] - 5, 300);
            const QImage hovered = shell.screenImage.copy(ArrowRow);
            pliva.MouseMove(0, 0);
            shell.clearRecords();

            pliva.MouseMove(target.at.x(), target.at.y());
            EXPECT_EQ(pliva.pointerColumn(), j);
            EXPECT_EQ(shell.screenImage.copy(ArrowRow), hovered);

            pliva.MouseDownLeft(target.at.x(), target.at.y());
            EXPECT_EQ(pliva.model().values()[j], 1);
            pliva.MouseDownRight(target.at.x(), target.at.y());
            EXPECT_EQ(pliva.model().values()[j], 0);
            EXPECT_EQ(shell.sounds, (std::vector<int>{2, 1, 0}));
        }
    }
}

TEST_F(PlivaKeys, SwitchTargetsFollowTheLastColumnAndHitTheirSwitches)
{
    SetUpCurve(12);
    const KeyTargetSet set = pliva.KeyTargets();
    const int n = 12;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::pair(set.targets[n + i].row, set.targets[n + i].column), std::pair(0, n + i));

    shell.colorAnswer = colorRef(0, 0x80, 0);
    PressTarget(pliva, n, false);
    EXPECT_EQ(pliva.lcol(), colorRef(0, 0x80, 0));
    shell.colorAnswer = colorRef(0xFF, 0xFF, 0);
    PressTarget(pliva, n + 1, false);
    EXPECT_EQ(pliva.dcol(), colorRef(0xFF, 0xFF, 0));
    PressTarget(pliva, n + 2, false);
    EXPECT_EQ(pliva.dmode(), 2);
    EXPECT_EQ(shell.colorRequests,
              (std::vector<ColorRef>{Pliva::DefaultLineColor, Pliva::DefaultMarkerColor}));

    // The switches take no right press, as with the mouse.
    shell.clearRecords();
    for (int i = 0; i < 3; ++i)
        PressTarget(pliva, n + i, true);
    EXPECT_TRUE(shell.colorRequests.empty());
    EXPECT_EQ(pliva.dmode(), 2);
    EXPECT_EQ(pliva.pointerColumn(), 0) << "the arrows hide as when the mouse leaves the row";
}

// The cursor stays where it was after a move or a new puzzle at the same level.
TEST_F(PlivaKeys, TargetsDependOnTheLevelOnly)
{
    SetUpCurve(7);
    const auto before = Places(pliva.KeyTargets());
    PressTarget(pliva, 2, false);
    ASSERT_EQ(pliva.model().values()[3], 1);
    EXPECT_EQ(Places(pliva.KeyTargets()), before);
    pliva.NewPuzzle();
    EXPECT_EQ(Places(pliva.KeyTargets()), before);
}

// Heights count from lowLimit (-6), so the chart spans 0..18.
TEST_F(PlivaKeys, ColumnsTellHeightTrendAndArrows)
{
    SetUpCurve(4);
    pliva.model().setArrowColumn(2, {0, 1, 0, -2, 0});
    SetValues({0, 3, 5, 5, -2});

    const std::tuple<int, int, const char*> texts[] = {
        {0, 0, "9. Column 1: +1, 0, 0, 0."},           {0, 1, "9. Spalte 1: +1, 0, 0, 0."},
        {1, 0, "11, rising. Column 2: +1, 0, -2, 0."}, {1, 1, "11, steigt. Spalte 2: +1, 0, -2, 0."},
        {2, 0, "11, flat. Column 3: 0, 0, +1, 0."},    {2, 1, "11, gleich hoch. Spalte 3: 0, 0, +1, 0."},
        {3, 0, "4, falling. Column 4: 0, 0, 0, +1."},  {3, 1, "4, fällt. Spalte 4: 0, 0, 0, +1."},
    };
    for (const auto& [index, tongue, text] : texts)
        EXPECT_EQ(pliva.DescribeKeyTarget(index, tongue), QString::fromUtf8(text)) << index << " " << tongue;
    for (int index : {-1, 7, 1000})
        EXPECT_TRUE(pliva.DescribeKeyTarget(index, 0).isEmpty()) << index;
}

TEST_F(PlivaKeys, BoardLineReadsHeightsLeftToRightAndTheTop)
{
    SetUpCurve(4);
    SetValues({0, 3, 5, 12, -6});
    EXPECT_EQ(pliva.DescribeBoard(0), QStringLiteral("Heights 9, 11, 18, 0; top 18."));
    EXPECT_EQ(pliva.DescribeBoard(1), QStringLiteral("Höhen 9, 11, 18, 0; Obergrenze 18."));
}

// Each colour switch names the colour now chosen, not the one it started with.
TEST_F(PlivaKeys, ColourSwitchesNameTheirColourFirst)
{
    SetUpCurve(4);
    EXPECT_EQ(pliva.DescribeKeyTarget(4, 0), QStringLiteral("Red, curve colour."));
    EXPECT_EQ(pliva.DescribeKeyTarget(5, 1), QStringLiteral("Blau, Punktfarbe."));
    shell.colorAnswer = colorRef(0xFF, 0xFF, 0);
    PressTarget(pliva, 4, false);
    EXPECT_EQ(pliva.DescribeKeyTarget(4, 0), QStringLiteral("Yellow, curve colour."));
    EXPECT_EQ(pliva.DescribeKeyTarget(5, 0), QStringLiteral("Blue, point colour."));
    shell.colorAnswer = colorRef(0, 0x80, 0);
    PressTarget(pliva, 5, false);
    EXPECT_EQ(pliva.DescribeKeyTarget(5, 1), QString::fromUtf8("Dunkelgrün, Punktfarbe."));
    EXPECT_EQ(pliva.DescribeKeyTarget(4, 1), QString::fromUtf8("Gelb, Kurvenfarbe."));
}

// The shape switch names the shape drawn now and the one a press draws, round the whole cycle
// and from stored styles outside it (drawn bare; a press steps them on by (style + 1) mod 5).
TEST_F(PlivaKeys, ShapeSwitchNamesEveryShapeNowAndAfterAPress)
{
    struct Shape {
        const char* english;
        const char* german;
    };
    const std::map<int, Shape> shapes = {
        {0, {"no mark", "keine Markierung"}}, {1, {"square", "Quadrat"}}, {2, {"circle", "Kreis"}},
        {3, {"triangle", "Dreieck"}},         {4, {"diamond", "Raute"}},
    };
    const auto expected = [&](int now, int next, int tongue) {
        const Shape& a = shapes.count(now) != 0 ? shapes.at(now) : shapes.at(0);
        const Shape& b = shapes.at(next);
        QString first = QString::fromUtf8(tongue == 1 ? a.german : a.english);
        first[0] = first[0].toUpper();
        return tongue == 1
                   ? QStringLiteral("%1, Punktform, danach %2.").arg(first, QString::fromUtf8(b.german))
                   : QStringLiteral("%1, point shape, next %2.").arg(first, QString::fromUtf8(b.english));
    };

    QTemporaryDir directory;
    SettingsStore store(directory.filePath(QStringLiteral("V1.ini")));
    const std::pair<int, int> starts[] = {{1, 2}, {7, 3}, {-1, 0}, {9, 0}};
    for (const auto& [stored, afterPress] : starts) {
        store.WriteInteger(QStringLiteral("pliva"), QStringLiteral("dmode"), stored);
        pliva.LoadSettings(store);
        SetUpCurve(4);
        int now = stored;
        int next = afterPress;
        // From each start once round the cycle: every shape is named now and as the next one.
        for (int press = 0; press <= 5; ++press) {
            SCOPED_TRACE(testing::Message() << "stored " << stored << ", press " << press);
            ASSERT_EQ(pliva.dmode(), now);
            for (int tongue : {0, 1})
                EXPECT_EQ(pliva.DescribeKeyTarget(6, tongue), expected(now, next, tongue));
            PressTarget(pliva, 6, false);
            EXPECT_EQ(pliva.dmode(), next) << "the press draws the shape named as next";
            now = next;
            next = (next + 1) % 5;
        }
    }
}

TEST_F(PlivaKeys, AppliedMoveAnnouncesTheMovedPointsAndTheirHeights)
{
    SetUpCurve(4);
    pliva.model().setArrowColumn(2, {0, 2, 0, -1, 0});
    pliva.model().setArrowColumn(3, {0, 0, 0, 0, 0});
    SetValues({0, 3, 1, 2, 0});

    PressTarget(pliva, 1, false);
    PressTarget(pliva, 0, true);
    shell.tongue = 1;
    PressTarget(pliva, 1, true);
    PressTarget(pliva, 3, false);
    PressTarget(pliva, 2, false);
    shell.tongue = 0;
    PressTarget(pliva, 2, true);
    EXPECT_EQ(shell.announcements, (std::vector<QString>{
                                       QStringLiteral("Points 1 to 11, 3 to 7."),
                                       QStringLiteral("Point 1 to 10."),
                                       QStringLiteral("Punkte 1 auf 8, 3 auf 8."),
                                       QStringLiteral("Punkt 4 auf 7."),
                                       QStringLiteral("Kein Punkt bewegt sich."),
                                       QStringLiteral("No point moves."),
                                   }));
    EXPECT_EQ(pliva.model().values()[1], 2);
    EXPECT_EQ(pliva.model().values()[4], 1);
    EXPECT_EQ(shell.solvedCalls, 0);
}

TEST_F(PlivaKeys, RefusedMoveIsAnnouncedInTheGamesLanguage)
{
    SetUpCurve(4);
    SetValues({0, 12, 0, 0, 0});
    PressTarget(pliva, 0, false);
    shell.tongue = 1;
    PressTarget(pliva, 0, false);
    EXPECT_EQ(
        shell.announcements,
        (std::vector<QString>{
            QStringLiteral("The board turns the bundle down: a point would leave the chart."),
            QString::fromUtf8("Der Vorstand lehnt das Bündel ab: Ein Punkt würde das Diagramm verlassen.")}));
    EXPECT_EQ(pliva.model().values()[1], 12);
}

// The key solver the shell tests use: presses chosen from the model alone reach a rising curve,
// on a hand-made puzzle and on a generated one at the smallest level.
TEST_F(PlivaKeys, SolverSolvesByKeyPresses)
{
    SetUpCurve(4);
    pliva.model().setArrowColumn(1, {0, 2, -1, 0, 0});
    pliva.model().setArrowColumn(2, {0, 0, 1, -2, 0});
    pliva.model().setArrowColumn(3, {0, -1, 0, 0, 2});
    pliva.model().setArrowColumn(4, {0, 0, -1, 1, -1});
    SetValues({0, 4, 2, 2, -3});
    SolveByKeys();

    shell.seededRandom.seed(3);
    pliva.NewPuzzle();
    pliva.PaintPuzzle();
    shell.clearRecords();
    SolveByKeys();
}
