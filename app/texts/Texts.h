#pragma once

#include <QString>

#include "app/core/Language.h"

// The main window's hints and labels in the current language.
struct MainWindowTexts {
    QString mix, option, optionZ, pause, sound, midi, highScore, exit;
    QString timeLabel, help, info, frobny, rules, tongue;
    QString caption;
};

MainWindowTexts mainWindowTexts(int tongue, bool soundOn, bool musicOn);

// The main window's caption once the language is set; the same in both languages.
QString programCaption();

// The start-up failure message (title "Fehler" in both languages).
QString startupErrorText(int tongue);
