#include "app/texts/HighscoreTexts.h"

#include "app/core/Language.h"

HighscoreTexts highscoreTexts(int tongue)
{
    HighscoreTexts t;
    t.caption = pick(tongue, "Frobny Office - Bestenliste", "Frobny Office - Highscore");
    t.clearAll = pick(tongue, "alle Einträge löschen", "remove all entries");
    t.cancel = pick(tongue, "Abbruch", "Cancel");
    t.ok = QStringLiteral("OK");
    t.nameField = pick(tongue, "Dein Name", "Your name");
    return t;
}
