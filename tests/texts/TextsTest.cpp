#include <gtest/gtest.h>

#include "app/texts/HighscoreTexts.h"
#include "app/texts/Texts.h"
#include "app/texts/TongueTexts.h"

namespace {

using Field = QString MainWindowTexts::*;

// The main window's texts, one row per control, exactly as the program has always shown them.
struct HintRow {
    const char* control;
    Field field;
    const char* german;
    const char* english;
};

const HintRow FixedHints[] = {
    {"MixBtn", &MainWindowTexts::mix, "Ich fang neu an.", "I start again."},
    {"OptionBtn", &MainWindowTexts::option, "Gibts da auch andere Stufen?", "Are there any more levels?"},
    {"OptionZBtn", &MainWindowTexts::optionZ, "Gibts da auch mehr Farben?", "Are there any more colors?"},
    {"PauseBtn", &MainWindowTexts::pause, "Ich brauch eine kurze Pause.", "I need a break."},
    {"HighScoreBtn", &MainWindowTexts::highScore, "Wer sind die Besten?", "Who is the best?"},
    {"ExitBtn", &MainWindowTexts::exit, "Ich hab genug!", "That's enough for now!"},
    {"TimeLabel", &MainWindowTexts::timeLabel, "Zeit:", "Time:"},
    {"HelpBtn", &MainWindowTexts::help, "Ich la\u00DF mir unter die Arme greifen.", "I need help."},
    {"InfoBtn", &MainWindowTexts::info, "Wer hat diese Spiele nur verbrochen?",
     "Who's the FROBNY GAME inventor?"},
    {"FrobnyBtn", &MainWindowTexts::frobny, "Hurra, es gibt noch mehr Frobny Games.",
     "Hurrah, there are more FROBNY GAMES."},
    {"RulesShape", &MainWindowTexts::rules, "Worum geht's da eigentlich?", "What's to do here?"},
    // The language button speaks the other language.
    {"TongueBtn", &MainWindowTexts::tongue, "I don't speak german.", "Ich spreche nicht englisch."},
    {"caption", &MainWindowTexts::caption, "Frobny Office V1.3", "Frobny Office V1.3"},
};

// Only 1 is German; "not chosen" and any stray stored value read as English.
const int Tongues[] = {1, 0, -1, 7, 2, -2};

TEST(MainWindowTexts, EveryFixedHintInBothLanguages)
{
    for (int tongue : Tongues) {
        for (bool sound : {true, false}) {
            for (bool music : {true, false}) {
                const MainWindowTexts texts = mainWindowTexts(tongue, sound, music);
                for (const HintRow& row : FixedHints) {
                    EXPECT_EQ(texts.*row.field, QString::fromUtf8(tongue == 1 ? row.german : row.english))
                        << row.control << " tongue " << tongue;
                }
            }
        }
    }
}

// The sound and music hints say what a click would do, so they follow the buttons' state.
TEST(MainWindowTexts, SoundAndMusicHintsFollowTheirButtons)
{
    struct Case {
        int tongue;
        bool on;
        const char* sound;
        const char* music;
    };
    const Case cases[] = {
        {1, true, "Ich schalte die Ger\u00E4usche lieber aus.", "Ohne Musik ist es mir lieber."},
        {1, false, "Ohne Ger\u00E4usche ist es doch etwas fad.", "Ich mag die Musik."},
        {0, true, "I like it without sound-effects.", "I don't like the music now."},
        {0, false, "Without sound ist is boring.", "Ich like the music."},
        {-1, false, "Without sound ist is boring.", "Ich like the music."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mainWindowTexts(c.tongue, c.on, !c.on).sound, QString::fromUtf8(c.sound)) << c.tongue;
        EXPECT_EQ(mainWindowTexts(c.tongue, !c.on, c.on).midi, QString::fromUtf8(c.music)) << c.tongue;
    }
}

TEST(MainWindowTexts, StartupFailureAndCaption)
{
    EXPECT_EQ(startupErrorText(1), "Zuwenig Speicher oder Bild nicht gefunden! Programm wird beendet.");
    EXPECT_EQ(startupErrorText(-1), "Not enough memory or bitmap not found! Program aborted.");
    EXPECT_EQ(programCaption(), "Frobny Office V1.3");
}

TEST(DialogTexts, HighScoreDialogInBothLanguages)
{
    for (int tongue : Tongues) {
        const HighscoreTexts texts = highscoreTexts(tongue);
        const bool german = tongue == 1;
        EXPECT_EQ(texts.caption, german ? "Frobny Office - Bestenliste" : "Frobny Office - Highscore")
            << tongue;
        EXPECT_EQ(texts.clearAll,
                  german ? QString::fromUtf8("alle Eintr\u00E4ge l\u00F6schen") : "remove all entries")
            << tongue;
        EXPECT_EQ(texts.cancel, german ? "Abbruch" : "Cancel") << tongue;
        EXPECT_EQ(texts.ok, "OK") << tongue;
    }
}

TEST(DialogTexts, LanguageDialogSpeaksBoth)
{
    const TongueTexts texts = tongueTexts();
    EXPECT_EQ(texts.caption, "Frobny Office V1.3");
    EXPECT_EQ(texts.english, "I speak english.");
    EXPECT_EQ(texts.german, "Ich spreche deutsch.");
}

} // namespace
