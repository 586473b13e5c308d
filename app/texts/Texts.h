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

// Said of what happens without a key at the cursor, and of keys that do nothing.
QString newPuzzleAnnouncement(int tongue);
// A level button pressed: secondLevel for the second one; changed false at a bound.
QString levelAnnouncement(int tongue, bool secondLevel, bool up, bool changed);
QString pausedAnnouncement(int tongue);
QString resumedAnnouncement(int tongue);
// The pause key while no puzzle is in progress: fresh before the first move, otherwise over.
QString noPauseAnnouncement(int tongue, bool fresh);
QString noMusicAnnouncement(int tongue);
QString noSecondLevelAnnouncement(int tongue);
QString noBoardSummaryAnnouncement(int tongue);
QString noReviewAnnouncement(int tongue, bool rows);
QString noPartnerAnnouncement(int tongue);

MainWindowTexts mainWindowTexts(int tongue, bool soundOn, bool musicOn);

// The main window's caption once the language is set; the same in both languages.
QString programCaption();

// The start-up failure message (title "Fehler" in both languages).
QString startupErrorText(int tongue);
