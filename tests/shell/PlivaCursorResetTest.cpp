#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/GamePuzzles.h"
#include "app/KeyboardCursor.h"
#include "app/MainForm.h"
#include "puzzles/pliva/Pliva.h"
#include "support/GameInShell.h"

// PLIVA played with keys through the main window: the keys that make the board anew (a level
// change, a new puzzle, a switch to another puzzle and back) leave nothing of the old keyboard
// cursor on the screen, so the place a player sees is never one a key no longer acts on.
namespace {

const QRect ArrowRow(30, 285, 376, 48);
const QRect Switches(420, 30, 60, 21);

class PlivaCursorReset : public GameInShell {
  protected:
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form->drawingArea(), k, modifiers);
    }

    Pliva& pliva() { return dynamic_cast<Pliva&>(form->module(PuzzlePliva)); }

    // The plain white background, pixel for pixel.
    bool Blank(const QRect& rect) const
    {
        const QImage part = form->screen().copy(rect);
        for (int y = 0; y < part.height(); ++y) {
            for (int x = 0; x < part.width(); ++x) {
                if (part.pixel(x, y) != qRgb(255, 255, 255))
                    return false;
            }
        }
        return true;
    }
};

TEST_F(PlivaCursorReset, NothingOfTheOldCursorStaysAfterTheBoardIsMadeAnew)
{
    start(PuzzlePliva);
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    const std::pair<const char*, std::function<void()>> resets[] = {
        {"level up", [this] { key(Qt::Key_Plus); }},
        {"level down", [this] { key(Qt::Key_Minus); }},
        {"new puzzle", [this] { key(Qt::Key_N, Qt::ControlModifier); }},
        {"another puzzle and back",
         [this] {
             key(Qt::Key_2, Qt::ControlModifier);
             ASSERT_EQ(form->currentPuzzle(), PuzzleZupel);
             key(Qt::Key_1, Qt::ControlModifier);
             ASSERT_EQ(form->currentPuzzle(), PuzzlePliva);
         }},
    };
    for (const auto& [name, reset] : resets) {
        for (const bool onSwitch : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << name << (onSwitch ? ", cursor on a switch" : ", cursor on column 2"));
            ASSERT_EQ(form->playState(), PlayState::Fresh) << "no question before the board goes";
            // Column 1 first, then column 2 or on past the last column to the middle switch.
            key(Qt::Key_Right);
            const int steps = onSwitch ? pliva().model().mode() + 1 : 1;
            for (int i = 0; i < steps; ++i)
                key(Qt::Key_Right);
            ASSERT_FALSE(Blank(onSwitch ? Switches : ArrowRow)) << "the cursor shows";

            reset();
            EXPECT_FALSE(form->keyboardCursor().index());
            EXPECT_EQ(pliva().pointerColumn(), 0);
            EXPECT_TRUE(Blank(ArrowRow)) << "the column's outline and arrows went with the cursor";
            EXPECT_TRUE(Blank(Switches)) << "the switch frame went with the cursor";

            // The next key starts afresh on column 1, and shows it.
            key(Qt::Key_Right);
            EXPECT_EQ(form->keyboardCursor().index(), 0);
            EXPECT_EQ(pliva().pointerColumn(), 1);
            EXPECT_FALSE(Blank(ArrowRow));
            key(Qt::Key_N, Qt::ControlModifier); // hides it again for the next case
        }
    }
}

} // namespace
