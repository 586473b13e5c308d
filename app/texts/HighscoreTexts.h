#pragma once

#include <QString>

// The high-score dialog's texts in the current language.
struct HighscoreTexts {
    QString caption; // the window's name; the dialog shows no title bar
    QString clearAll;
    QString cancel;
    QString ok;
    QString nameField; // what a screen reader calls the name entry
};

HighscoreTexts highscoreTexts(int tongue);
