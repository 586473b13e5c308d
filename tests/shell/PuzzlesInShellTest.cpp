#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/settings/SettingsStore.h"
#include "puzzles/huxel/Huxel.h"
#include "puzzles/vexor/Vexor.h"
#include "support/FakeShell.h"
#include "support/GameInShell.h"
#include "support/ShellFakes.h"

namespace {
using PuzzleInShell = GameInShell;

// Four accounts of 100 whose first bookings differ: solved as it stands.
VexorModel::Table solvedAccounts()
{
    VexorModel::Table table{};
    const int first[] = {10, 20, 30, 40};
    for (int a = 1; a <= 4; ++a) {
        table[a][1] = first[a - 1];
        table[a][2] = 50 - first[a - 1];
        table[a][3] = 25;
        table[a][4] = 25;
    }
    return table;
}

TEST_F(PuzzleInShell, VexorMoveAnimatesStartsTheClockAndShiftingBackSolves)
{
    start(PuzzleVexor);
    auto& vexor = dynamic_cast<Vexor&>(form->module(PuzzleVexor));
    ASSERT_TRUE(vexor.model().setBookings(solvedAccounts()));
    vexor.model().ShiftRight(1);
    ASSERT_FALSE(vexor.model().AllEqual());
    form->boxPaint();

    const QPoint leftArrowOfRow1(410, 286);
    move(leftArrowOfRow1);
    EXPECT_EQ(sounds.played, (std::vector<int>{7})) << "the arrow under the pointer";
    click(leftArrowOfRow1, Qt::LeftButton);
    EXPECT_TRUE(vexor.model().AllEqual());
    EXPECT_EQ(sleeps, (std::vector<unsigned>{50, 50, 50, 50, 50, 50, 300}));
    EXPECT_EQ(sounds.played, (std::vector<int>{7, 6, 10}));
    EXPECT_EQ(form->playState(), PlayState::Solved);
    EXPECT_EQ(dialogs.solvedShown, 1);
    ASSERT_EQ(dialogs.offered.size(), 1u);
    EXPECT_EQ(dialogs.offered[0].first, "vexo11");

    click(leftArrowOfRow1, Qt::LeftButton); // still moves, reports nothing new
    EXPECT_EQ(dialogs.solvedShown, 1);
}

TEST_F(PuzzleInShell, VexorColourChoiceSurvivesARestart)
{
    start(PuzzleVexor);
    dialogs.colorAnswer = colorRef(0x12, 0x34, 0x56);
    click(QPoint(410, 286), Qt::RightButton);
    ASSERT_EQ(dynamic_cast<Vexor&>(form->module(PuzzleVexor)).colours()[1], colorRef(0x12, 0x34, 0x56));
    ASSERT_TRUE(form->close());
    form.reset();

    start(PuzzleVexor);
    EXPECT_EQ(dynamic_cast<Vexor&>(form->module(PuzzleVexor)).colours()[1], colorRef(0x12, 0x34, 0x56));
}

TEST_F(PuzzleInShell, HuxelHoverAndPressesTurnTheBlockAndOneTurnSolves)
{
    start(PuzzleHuxel);
    auto& huxel = dynamic_cast<Huxel&>(form->module(PuzzleHuxel));
    HuxelModel& model = huxel.model();
    const int n = model.TableSize();
    for (int col = 1; col <= n; ++col)
        for (int row = 1; row <= n; ++row)
            model.setCell(HuxelModel::Side::Right, col, row, model.cell(HuxelModel::Side::Left, col, row));
    model.RotateClockwise(1, 1, HuxelModel::Side::Right);
    ASSERT_FALSE(model.TablesEqual());
    form->boxPaint();

    // The pointer near the inner corner of the right table's first block highlights it.
    const int cell = huxel.CellSize();
    const QPoint corner(Huxel::RightX + cell + 2, Huxel::TableTop + cell + 2);
    move(corner);
    EXPECT_EQ(huxel.HoverCol(), 1);
    EXPECT_EQ(huxel.HoverRow(), 1);
    EXPECT_EQ(huxel.HoverTable(), HuxelModel::Side::Right);
    EXPECT_EQ(sounds.played, (std::vector<int>{8}));

    // A right press turns it clockwise, with one pause per frame; it is not solved yet.
    const char32_t topLeft = model.cell(HuxelModel::Side::Right, 1, 1);
    click(corner, Qt::RightButton);
    EXPECT_NE(model.cell(HuxelModel::Side::Right, 1, 1), topLeft);
    EXPECT_EQ(sleeps, std::vector<unsigned>(huxel.AnimationFrames(), 20));
    EXPECT_EQ(form->playState(), PlayState::InProgress);

    // Two left presses turn it back twice: counter-clockwise, the second one solves.
    sleeps.clear();
    click(corner, Qt::LeftButton);
    click(corner, Qt::LeftButton);
    EXPECT_TRUE(model.TablesEqual());
    EXPECT_EQ(sleeps.back(), 300u);
    EXPECT_EQ(sounds.played, (std::vector<int>{8, 9, 9, 9, 10}));
    EXPECT_EQ(form->playState(), PlayState::Solved);
    EXPECT_EQ(dialogs.solvedShown, 1);
    ASSERT_EQ(dialogs.offered.size(), 1u);
    EXPECT_EQ(dialogs.offered[0].first, "huxe3");
}
} // namespace
