#include "app/texts/Texts.h"

MainWindowTexts mainWindowTexts(int tongue, bool soundOn, bool musicOn)
{
    MainWindowTexts t;
    t.mix = pick(tongue, "Ich fang neu an.", "I start again.");
    t.option = pick(tongue, "Gibts da auch andere Stufen?", "Are there any more levels?");
    t.optionZ = pick(tongue, "Gibts da auch mehr Farben?", "Are there any more colors?");
    t.pause = pick(tongue, "Ich brauch eine kurze Pause.", "I need a break.");
    t.sound = soundOn
                  ? pick(tongue, "Ich schalte die Geräusche lieber aus.", "I like it without sound-effects.")
                  : pick(tongue, "Ohne Geräusche ist es doch etwas fad.", "Without sound ist is boring.");
    t.midi = musicOn ? pick(tongue, "Ohne Musik ist es mir lieber.", "I don't like the music now.")
                     : pick(tongue, "Ich mag die Musik.", "Ich like the music.");
    t.highScore = pick(tongue, "Wer sind die Besten?", "Who is the best?");
    t.exit = pick(tongue, "Ich hab genug!", "That's enough for now!");
    t.timeLabel = pick(tongue, "Zeit:", "Time:");
    t.help = pick(tongue, "Ich laß mir unter die Arme greifen.", "I need help.");
    t.info = pick(tongue, "Wer hat diese Spiele nur verbrochen?", "Who's the FROBNY GAME inventor?");
    t.frobny = pick(tongue, "Hurra, es gibt noch mehr Frobny Games.", "Hurrah, there are more FROBNY GAMES.");
    t.rules = pick(tongue, "Worum geht's da eigentlich?", "What's to do here?");
    // The language button speaks the language that is not active.
    t.tongue = pick(tongue, "I don't speak german.", "Ich spreche nicht englisch.");
    t.caption = programCaption();
    return t;
}

AccessibleTexts accessibleTexts(int tongue)
{
    AccessibleTexts t;
    t.mix = pick(tongue, "Neues Rätsel", "New puzzle");
    t.option = pick(tongue, "Stufe höher oder tiefer", "Level up or down");
    t.optionZ = pick(tongue, "Mehr oder weniger Farben", "More or fewer colors");
    t.pause = pick(tongue, "Pause", "Pause");
    t.sound = pick(tongue, "Geräusche", "Sound effects");
    t.midi = pick(tongue, "Musik", "Music");
    t.highScore = pick(tongue, "Bestenliste", "High scores");
    t.exit = pick(tongue, "Spiel beenden", "End the game");
    t.tongue = pick(tongue, "Sprache", "Language");
    t.help = pick(tongue, "Hilfe", "Help");
    t.info = pick(tongue, "Über Frobny Office", "About Frobny Office");
    t.frobny = pick(tongue, "Frobny Games im Netz", "Frobny Games on the web");
    t.clock = pick(tongue, "Zeit", "Time");
    t.rules = pick(tongue, "Regeln", "Rules");
    t.keyHelp = pick(tongue,
                     "Mit den Pfeiltasten wählst Du einen Platz, die Leertaste drückt ihn, "
                     "Umschalt+Leertaste drückt ihn rechts. B liest das Spielfeld, Strg+Pfeiltasten lesen "
                     "Zeilen und Spalten. R zeigt die Regeln.",
                     "The arrow keys choose a place, Space presses it, Shift+Space presses it "
                     "with the right button. B reads the board, Ctrl+arrows read rows and columns. "
                     "R shows the rules.");
    return t;
}

QString solvedAnnouncement(int tongue, int ticks)
{
    return pick(tongue, "Gelöst! Zeit: %1.", "Solved! Time: %1.").arg(ticks);
}

QString failedAnnouncement(int tongue, int ticks)
{
    return pick(tongue, "Kein Zug mehr möglich. Zeit: %1.", "No move left. Time: %1.").arg(ticks);
}

QString newPuzzleAnnouncement(int tongue)
{
    return pick(tongue, "Neues Rätsel.", "New puzzle.");
}

QString levelAnnouncement(int tongue, bool secondLevel, bool up, bool changed)
{
    if (!changed)
        return up ? pick(tongue, "Schon die höchste Stufe.", "Already the highest level.")
                  : pick(tongue, "Schon die niedrigste Stufe.", "Already the lowest level.");
    if (secondLevel)
        return up ? pick(tongue, "Mehr Farben.", "More colors.")
                  : pick(tongue, "Weniger Farben.", "Fewer colors.");
    return up ? pick(tongue, "Eine Stufe höher.", "One level up.")
              : pick(tongue, "Eine Stufe tiefer.", "One level down.");
}

QString pausedAnnouncement(int tongue)
{
    return pick(tongue, "Pause, die Uhr steht.", "Paused, the clock stands still.");
}

QString resumedAnnouncement(int tongue)
{
    return pick(tongue, "Weiter, die Uhr läuft.", "Resumed, the clock runs.");
}

QString noPauseAnnouncement(int tongue, bool fresh)
{
    return fresh ? pick(tongue, "Keine Pause: Das Rätsel läuft erst ab dem ersten Zug.",
                        "No pause: the puzzle is not in progress before the first move.")
                 : pick(tongue, "Keine Pause: Das Rätsel ist zu Ende.", "No pause: the puzzle is over.");
}

QString noMusicAnnouncement(int tongue)
{
    return pick(tongue, "Keine Musik gefunden.", "No music found.");
}

QString noSecondLevelAnnouncement(int tongue)
{
    return pick(tongue, "Dieses Rätsel hat keine zweite Stufe.", "This puzzle has no second level.");
}

QString noBoardSummaryAnnouncement(int tongue)
{
    return pick(tongue, "Dieses Rätsel hat keine Übersicht.", "This puzzle has no summary.");
}

QString noReviewAnnouncement(int tongue, bool rows)
{
    return rows
               ? pick(tongue, "Dieses Rätsel hat keine Zeilen zum Lesen.", "This puzzle has no rows to read.")
               : pick(tongue, "Dieses Rätsel hat keine Spalten zum Lesen.",
                      "This puzzle has no columns to read.");
}

QString noPartnerAnnouncement(int tongue)
{
    return pick(tongue, "Von hier gibt es keinen Sprung.", "No jump from here.");
}

QString programCaption()
{
    return QStringLiteral("Frobny Office V1.3");
}

QString startupErrorText(int tongue)
{
    return pick(tongue, "Zuwenig Speicher oder Bild nicht gefunden! Programm wird beendet.",
                "Not enough memory or bitmap not found! Program aborted.");
}
