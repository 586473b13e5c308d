#pragma once

#include <array>

// The sound effects; the value is the effect's index in the program's sound list.
enum class Sound : int {
    PlivaRightMove = 0, // "PLIVA 1"
    PlivaLeftMove = 1,  // "PLIVA 2"
    PlivaColumn = 2,    // "PLIVA 3": the pointer reaches another column
    ZupelPenalty = 3,   // "ZUPEL 1"
    ZupelDigit = 4,     // "ZUPEL 2"
    ZupelCountUp = 5,   // "ZUPEL 3": one digit unit counted after the bar ran empty
    VexorShift = 6,     // "VEXOR 1"
    VexorArrow = 7,     // "VEXOR 2": the arrow under the pointer changes
    HuxelBlock = 8,     // "HUXEL 1": the highlighted block changes
    HuxelRotate = 9,    // "HUXEL 2"
    Solved = 10,        // "Geschafft"
    Failed = 11,        // "Leider"
    PlivaRefused = 12,  // "PLIVA 4"
};

inline constexpr int SoundCount = 13;

inline constexpr std::array<const char*, SoundCount> SoundNames = {
    "PLIVA 1", "PLIVA 2", "PLIVA 3", "ZUPEL 1",   "ZUPEL 2", "ZUPEL 3", "VEXOR 1",
    "VEXOR 2", "HUXEL 1", "HUXEL 2", "Geschafft", "Leider",  "PLIVA 4"};

constexpr int soundIndex(Sound sound)
{
    return static_cast<int>(sound);
}
