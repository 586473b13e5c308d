#pragma once

#include <cstdint>

// Where a puzzle stands. The clock runs only while InProgress; the numbers are the ones the
// shell and the modules have always exchanged.
enum class PlayState : std::uint8_t {
    Fresh = 0,        // on screen, no move made yet
    InProgress = 1,   // at least one move made
    NotGenerated = 2, // not yet made since start-up
    Solved = 3,
    Failed = 4,
};
