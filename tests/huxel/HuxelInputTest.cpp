#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include "HuxelTestSupport.h"
#include "app/core/Canvas.h"

using namespace huxeltest;

namespace {

const std::vector<std::string> NoCalls;

struct HoverCase {
    int n;
    int x;
    int y;
    int col;
    int row;
    Side table;
};

} // namespace

using HuxelHover = HuxelFixture;

// The block whose common inner corner is nearest; none within half a cell of the outer border.
// n = 4: cells of 45 pixels, h = 22, left corners at x 110, 155, 200, right at 315, 360, 405,
// rows at y 165, 210, 255. n = 6: cells of 30, h = 15.
TEST_F(HuxelHover, PointerMapsToTheBlockOfTheNearestInnerCorner)
{
    const HoverCase cases[] = {
        {4, 88, 143, 1, 1, Side::Left},   {4, 87, 143, 0, 0, Side::Left},   {4, 88, 142, 0, 0, Side::Left},
        {4, 132, 187, 2, 2, Side::Left},  {4, 131, 187, 1, 2, Side::Left},  {4, 221, 231, 3, 2, Side::Left},
        {4, 222, 231, 0, 0, Side::Left},  {4, 221, 277, 0, 0, Side::Left},  {4, 270, 200, 0, 0, Side::Left},
        {4, 271, 200, 0, 0, Side::Right}, {4, 292, 143, 0, 0, Side::Right}, {4, 293, 143, 1, 1, Side::Right},
        {4, 426, 276, 3, 3, Side::Right}, {4, 427, 276, 0, 0, Side::Right}, {4, 30, 20, 0, 0, Side::Left},
        {6, 81, 136, 1, 1, Side::Left},   {6, 80, 136, 0, 0, Side::Left},   {6, 229, 284, 5, 5, Side::Left},
        {6, 230, 284, 0, 0, Side::Left},  {6, 229, 285, 0, 0, Side::Left},  {6, 286, 136, 1, 1, Side::Right},
        {3, 96, 151, 1, 1, Side::Left},   {3, 214, 269, 2, 2, Side::Left},  {3, 215, 200, 0, 0, Side::Left},
        {3, 400, 200, 2, 1, Side::Right},
    };
    for (const HoverCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " at " << c.x << "," << c.y);
        StartPuzzle(c.n);
        huxel.MouseMove(c.x, c.y);
        EXPECT_EQ(huxel.HoverCol(), c.col);
        EXPECT_EQ(huxel.HoverRow(), c.row);
        EXPECT_EQ(huxel.HoverTable(), c.table);
    }
}

TEST_F(HuxelHover, OnlyAChangeOfBlockSoundsAndOnlyAChangeRedraws)
{
    StartPuzzle(4);
    const std::string redraw[] = {RecordingShell::Describe(LeftSquare),
                                  RecordingShell::Describe(RightSquare)};
    struct Step {
        int x;
        int y;
        bool sound;
        bool drawn;
    };
    const Step steps[] = {
        {150, 200, true, true},   // onto left [2][2]
        {160, 220, false, false}, // within [2][2]
        {200, 200, true, true},   // [3][2]
        {350, 200, true, true},   // right [2][2]: other table and other column
        {150, 200, false, true},  // left [2][2] in one jump: same block, other table
        {150, 310, true, true},   // leaves the tables
        {150, 320, false, false}, // still outside
        {400, 320, false, true},  // outside, now on the right: the table changes silently
        {400, 321, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "to " << step.x << "," << step.y);
        recorder.clear();
        huxel.MouseMove(step.x, step.y);
        std::vector<std::string> expected;
        if (step.sound)
            expected.push_back("PlaySound 8");
        if (step.drawn)
            expected.insert(expected.end(), std::begin(redraw), std::end(redraw));
        EXPECT_EQ(recorder.log, expected);
    }
}

TEST_F(HuxelHover, WorksInEveryPlayStateAndNewPuzzleForgetsIt)
{
    StartPuzzle(5);
    for (PlayState state : {PlayState::Fresh, PlayState::InProgress, PlayState::Solved}) {
        shell.state = state;
        huxel.MouseMove(0, 0);
        Hover(2, 3, Side::Right);
        EXPECT_EQ(huxel.HoverCol(), 2);
        EXPECT_EQ(huxel.HoverRow(), 3);
        EXPECT_EQ(shell.state, state) << "hovering is no move";
    }
    huxel.NewPuzzle();
    EXPECT_EQ(huxel.HoverCol(), 0);
    EXPECT_EQ(huxel.HoverRow(), 0);
    EXPECT_EQ(huxel.HoverTable(), Side::Left);
}

using HuxelMove = HuxelFixture;

// Left press counter-clockwise, right press clockwise, on the block the pointer last highlighted.
TEST_F(HuxelMove, PressesTurnTheHighlightedBlock)
{
    for (Side side : {Side::Left, Side::Right}) {
        SCOPED_TRACE(side == Side::Left ? "left table" : "right table");
        StartPuzzle(4);
        Hover(2, 3, side);
        const HuxelModel& model = huxel.model();
        const char32_t tl = model.cell(side, 2, 3), tr = model.cell(side, 3, 3);
        const char32_t br = model.cell(side, 3, 4), bl = model.cell(side, 2, 4);
        const HuxelModel::Table otherTable = side == Side::Left ? model.RightTable() : model.LeftTable();

        huxel.MouseDownLeft(300, 300); // the press position does not choose the block
        EXPECT_EQ((std::u32string{model.cell(side, 2, 3), model.cell(side, 3, 3), model.cell(side, 3, 4),
                                  model.cell(side, 2, 4)}),
                  (std::u32string{tr, br, bl, tl}));

        huxel.MouseDownRight(0, 0);
        huxel.MouseDownRight(0, 0);
        EXPECT_EQ((std::u32string{model.cell(side, 2, 3), model.cell(side, 3, 3), model.cell(side, 3, 4),
                                  model.cell(side, 2, 4)}),
                  (std::u32string{bl, tl, tr, br}));
        EXPECT_EQ(side == Side::Left ? model.RightTable() : model.LeftTable(), otherTable);
    }
}

TEST_F(HuxelMove, SoundFramesAndScreenUpdatesComeInOrder)
{
    const int framesBySize[] = {15, 15, 18, 15};
    for (int n = 3; n <= 6; ++n) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        StartPuzzle(n);
        Hover(1, 1, Side::Right);
        recorder.clear();

        huxel.MouseDownRight(0, 0);

        const int w = huxel.CellSize();
        const std::string block = RecordingShell::Describe(QRect(Huxel::RightX, 120, 2 * w, 2 * w));
        std::vector<std::string> expected{"PlaySound 9"};
        for (int i = 0; i < framesBySize[n - 3]; ++i) {
            expected.push_back(block);
            expected.push_back("Delay 20");
        }
        expected.push_back(block); // at rest after the model turned
        EXPECT_EQ(recorder.log, expected);
    }
}

TEST_F(HuxelMove, NothingWithoutAHighlightedBlock)
{
    StartPuzzle(4);
    shell.state = PlayState::Fresh;
    const HuxelModel::Table left = huxel.model().LeftTable();
    huxel.MouseMove(87, 143);
    huxel.MouseDownLeft(87, 143);
    huxel.MouseDownRight(87, 143);
    EXPECT_EQ(recorder.log, NoCalls);
    EXPECT_EQ(shell.state, PlayState::Fresh);
    EXPECT_EQ(huxel.model().LeftTable(), left);
}

TEST_F(HuxelMove, FirstMoveStartsTheClockAndSolvedStaysSolved)
{
    StartPuzzle(3);
    shell.state = PlayState::Fresh;
    Hover(1, 1, Side::Left);
    huxel.MouseDownLeft(0, 0);
    EXPECT_EQ(shell.state, PlayState::InProgress);

    shell.state = PlayState::Solved;
    huxel.MouseDownRight(0, 0);
    EXPECT_EQ(shell.state, PlayState::Solved);
    EXPECT_EQ(shell.sounds.back(), 9) << "a move after the solve still plays";
}

// One rotation short: the left press that undoes it solves, after the animation and a pause.
TEST_F(HuxelMove, SolvingMoveWaitsThenReportsAndLaterMovesReportOnlyWhenEqualAgain)
{
    StartPuzzle(5);
    shell.state = PlayState::InProgress;
    CopyRightToLeft();
    huxel.model().RotateClockwise(3, 2, Side::Left);
    Hover(3, 2, Side::Left);
    recorder.clear();

    huxel.MouseDownLeft(200, 200);

    EXPECT_TRUE(huxel.model().TablesEqual());
    ASSERT_GE(recorder.log.size(), 3u);
    EXPECT_EQ(recorder.log.front(), "PlaySound 9");
    const std::vector<std::string> ending(recorder.log.end() - 3, recorder.log.end());
    EXPECT_EQ(ending, (std::vector<std::string>{"screen 137,156 72x72", "Delay 300", "PuzzleSolved"}));
    EXPECT_EQ(shell.delays.size(), 19u);
    EXPECT_EQ(shell.state, PlayState::Solved);

    recorder.clear();
    huxel.MouseDownRight(0, 0);
    EXPECT_EQ(shell.solvedCalls, 0);
    EXPECT_EQ(shell.delays, std::vector<unsigned>(18, 20u));
    huxel.MouseDownLeft(200, 200);
    EXPECT_EQ(shell.solvedCalls, 1) << "reported again; the shell ignores it while solved";
    EXPECT_EQ(shell.state, PlayState::Solved);
}

using HuxelFontButton = HuxelFixture;

// x 19..37, y 13..31 opens the chooser and never turns, even with a block still highlighted.
TEST_F(HuxelFontButton, LeftPressInsideOpensTheChooserOutsideTurns)
{
    struct Case {
        int x;
        int y;
        bool chooser;
    };
    const Case cases[] = {{19, 13, true},  {37, 31, true},  {28, 22, true}, {18, 22, false},
                          {38, 22, false}, {28, 12, false}, {28, 32, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "press at " << c.x << "," << c.y);
        StartPuzzle(4);
        Hover(1, 1, Side::Left);
        recorder.clear();
        huxel.MouseDownLeft(c.x, c.y);
        EXPECT_EQ(shell.fontRequests.size(), c.chooser ? 1u : 0u);
        EXPECT_EQ(shell.sounds, c.chooser ? std::vector<int>{} : std::vector<int>{9});
    }
}

TEST_F(HuxelFontButton, RightPressThereDoesNothing)
{
    StartPuzzle(4);
    Hover(1, 1, Side::Left);
    huxel.MouseMove(28, 22);
    recorder.clear();
    huxel.MouseDownRight(28, 22);
    EXPECT_TRUE(shell.fontRequests.empty());
    EXPECT_EQ(recorder.log, NoCalls);
}

TEST_F(HuxelFontButton, ChooserIsPresetAndCancelChangesNothing)
{
    StartPuzzle(4);
    huxel.MouseDownLeft(28, 22);
    ASSERT_EQ(shell.fontRequests.size(), 1u);
    const QFont& preset = shell.fontRequests.front();
    EXPECT_TRUE(QFontDatabase::families().contains(preset.family())) << preset.family().toStdString();
    EXPECT_EQ(preset.pointSize(), 24);
    EXPECT_FALSE(preset.bold());
    EXPECT_FALSE(preset.italic());
    EXPECT_EQ(recorder.log, NoCalls) << "cancelled: no redraw";
    EXPECT_EQ(huxel.FontName(), QStringLiteral("Arial"));

    QFont chosen(QStringLiteral("DejaVu Serif"), 72);
    chosen.setBold(true);
    chosen.setItalic(true);
    shell.fontAnswer = chosen;
    huxel.MouseDownLeft(28, 22);
    EXPECT_EQ(huxel.FontName(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(huxel.FontBold());
    EXPECT_TRUE(huxel.FontItalic());
    EXPECT_EQ(recorder.log, std::vector<std::string>{RecordingShell::Describe(WholeArea)});

    huxel.MouseDownLeft(28, 22);
    const QFont& again = shell.fontRequests.back();
    EXPECT_EQ(again.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(again.pointSize(), 24);
    EXPECT_TRUE(again.bold());
    EXPECT_TRUE(again.italic());
}

// The chooser lists installed faces only, and Arial is drawn by a substitute where it is missing:
// the chooser must show the face the tables are drawn in, and confirming it unchanged must keep
// the font (and the stored name).
TEST_F(HuxelFontButton, ConfirmingTheChooserUnchangedKeepsTheFont)
{
    for (bool bold : {false, true}) {
        SCOPED_TRACE(bold ? "bold" : "regular");
        StartPuzzle(4);
        if (bold) {
            QFont boldArial(QStringLiteral("Arial"));
            boldArial.setBold(true);
            shell.fontAnswer = boldArial;
            huxel.MouseDownLeft(28, 22);
        }
        const QImage before = shell.screenImage.copy();
        shell.fontAnswer.reset();
        huxel.MouseDownLeft(28, 22);
        QFontDialog dialog;
        dialog.setCurrentFont(shell.fontRequests.back());
        const QFont shown = dialog.currentFont();
        EXPECT_EQ(QFontInfo(shown).family().toStdString(),
                  QFontInfo(Canvas::font(QStringLiteral("Arial"), 25)).family().toStdString());
        EXPECT_EQ(shown.bold(), bold);

        shell.fontAnswer = shown;
        huxel.MouseDownLeft(28, 22);
        EXPECT_EQ(huxel.FontName().toStdString(), "Arial");
        EXPECT_EQ(huxel.FontBold(), bold);
        EXPECT_EQ(shell.screenImage, before);
    }
}

using HuxelOptions = HuxelFixture;

TEST_F(HuxelOptions, ChangesSizeWithinThreeToSixOnly)
{
    struct Case {
        int n;
        bool up;
        int expected;
    };
    const Case cases[] = {{3, false, 3}, {6, true, 6}, {3, true, 4}, {6, false, 5}, {4, true, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << (c.up ? " up" : " down"));
        StartPuzzle(c.n);
        Hover(1, 1, Side::Right);
        shell.state = PlayState::InProgress;
        const HuxelModel::Table left = huxel.model().LeftTable();
        const HuxelModel::Table right = huxel.model().RightTable();
        recorder.clear();

        huxel.OptionClick(c.up);

        EXPECT_EQ(huxel.model().TableSize(), c.expected);
        EXPECT_EQ(huxel.ScoreLevel(), c.expected);
        if (c.expected == c.n) {
            EXPECT_EQ(huxel.model().LeftTable(), left);
            EXPECT_EQ(huxel.model().RightTable(), right);
            EXPECT_EQ(shell.state, PlayState::InProgress);
            EXPECT_EQ(recorder.log, NoCalls);
            EXPECT_EQ(huxel.HoverCol(), 1);
        } else {
            EXPECT_FALSE(huxel.model().TablesEqual());
            EXPECT_EQ(shell.state, PlayState::Fresh);
            EXPECT_EQ(huxel.HoverCol(), 0);
            EXPECT_EQ(recorder.log, std::vector<std::string>{RecordingShell::Describe(WholeArea)});
        }
    }
}
