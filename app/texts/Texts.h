#pragma once

#include <QString>

#include "app/core/Language.h"

// The main window's hints and labels in the current language.
struct MainWindowTexts {
    QString mix, option, optionZ, pause, sound, midi, highScore, exit;
    QString timeLabel, help, info, frobny, rules, tongue;
    QString caption;
};

// What a screen reader calls the toolbar buttons and the clock, and what it says of the drawing
// area; the hints stay the descriptions.
struct AccessibleTexts {
    QString mix, option, optionZ, pause, sound, midi, highScore, exit;
    QString tongue, help, info, frobny, clock, rules;
    QString keyHelp; // the drawing area while no keyboard cursor shows
};

AccessibleTexts accessibleTexts(int tongue);

// Said when a puzzle ends, with the time that goes to the high-score list.
QString solvedAnnouncement(int tongue, int ticks);
QString failedAnnouncement(int tongue, int ticks);

MainWindowTexts mainWindowTexts(int tongue, bool soundOn, bool musicOn);

// The main window's caption once the language is set; the same in both languages.
QString programCaption();

// The start-up failure message (title "Fehler" in both languages).
QString startupErrorText(int tongue);
