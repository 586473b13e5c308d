#pragma once

#include <QString>

// Every language test of the program: German only when Tongue is 1.
inline bool isGerman(int tongue)
{
    return tongue == 1;
}

inline QString pick(int tongue, const char* german, const char* english)
{
    return QString::fromUtf8(isGerman(tongue) ? german : english);
}

// The main window's hints and labels in the current language.
struct MainWindowTexts {
    QString mix, option, optionZ, pause, sound, midi, highScore, exit;
    QString pliva, zupel, vexor, huxel, timeLabel, help, info, frobny, rules, tongue;
    QString caption;
};

MainWindowTexts mainWindowTexts(int tongue, bool soundOn, bool musicOn);

// The start-up failure message (title "Fehler" in both languages).
QString startupErrorText(int tongue);
