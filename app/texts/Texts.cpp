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
                     "Umschalt+Leertaste drückt ihn rechts. R zeigt die Regeln.",
                     "The arrow keys choose a place, Space presses it, Shift+Space presses it "
                     "with the right button. R shows the rules.");
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

QString programCaption()
{
    return QStringLiteral("Frobny Office V1.3");
}

QString startupErrorText(int tongue)
{
    return pick(tongue, "Zuwenig Speicher oder Bild nicht gefunden! Programm wird beendet.",
                "Not enough memory or bitmap not found! Program aborted.");
}
