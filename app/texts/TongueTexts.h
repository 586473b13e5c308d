#pragma once

#include <QString>

// The language dialog speaks both languages, whatever is chosen.
struct TongueTexts {
    QString caption;
    QString english;
    QString german;
};

TongueTexts tongueTexts();
