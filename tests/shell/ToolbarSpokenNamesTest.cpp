#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>

#include "support/MainFormFixture.h"

namespace {

QString spokenName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

using ToolbarSpokenNamesTest = MainFormFixture;

// What a screen reader calls each toolbar button, in both languages and back again.
TEST_F(ToolbarSpokenNamesTest, EveryToolbarButtonHasItsNameInBothLanguages)
{
    struct {
        ToolButton button;
        const char* english;
        const char* german;
    } const names[] = {
        {ToolButton::Mix, "New puzzle", "Neues Rätsel"},
        {ToolButton::Option, "Level up or down", "Stufe höher oder tiefer"},
        {ToolButton::OptionZ, "More or fewer colors", "Mehr oder weniger Farben"},
        {ToolButton::Pause, "Pause", "Pause"},
        {ToolButton::Sound, "Sound effects", "Geräusche"},
        {ToolButton::Midi, "Music", "Musik"},
        {ToolButton::HighScore, "High scores", "Bestenliste"},
        {ToolButton::Exit, "End the game", "Spiel beenden"},
        {puzzleButton(PuzzlePliva), "PLIVA", "PLIVA"},
        {puzzleButton(PuzzleZupel), "ZUPEL", "ZUPEL"},
        {puzzleButton(PuzzleVexor), "VEXOR", "VEXOR"},
        {puzzleButton(PuzzleHuxel), "HUXEL", "HUXEL"},
        {ToolButton::Tongue, "Language", "Sprache"},
        {ToolButton::Help, "Help", "Hilfe"},
        {ToolButton::Info, "About Frobny Office", "Über Frobny Office"},
        {ToolButton::Frobny, "Frobny Games on the web", "Frobny Games im Netz"},
    };
    TMainForm& f = shown();
    for (int tongue : {0, 1, 0}) {
        f.setTongue(tongue);
        f.ApplyTexts();
        for (const auto& name : names) {
            QToolButton* button = f.button(name.button);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(spokenName(button), QString::fromUtf8(tongue == 1 ? name.german : name.english))
                << button->objectName().toStdString() << " tongue " << tongue;
        }
    }
    // A puzzle switch renames nothing on the toolbar.
    f.SwitchPuzzle(PuzzleHuxel);
    EXPECT_EQ(spokenName(f.button(puzzleButton(PuzzleHuxel))), "HUXEL");
    EXPECT_EQ(spokenName(f.button(ToolButton::Mix)), "New puzzle");
}

} // namespace
