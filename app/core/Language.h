#pragma once

#include <QString>

// Every language test of the program: German only when Tongue is 1, English for any other value.
inline bool isGerman(int tongue)
{
    return tongue == 1;
}

inline QString pick(int tongue, const char* german, const char* english)
{
    return QString::fromUtf8(isGerman(tongue) ? german : english);
}
