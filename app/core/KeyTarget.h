#pragma once

#include <QPoint>
#include <vector>

// A place a player presses, for play with the keyboard. Targets form rows: Left and Right step to
// the neighbour in the same row, Up and Down to the target of the next row nearest in column.
struct KeyTarget {
    QPoint at; // the drawing-area pixel a key press goes to, as a pointer press would
    int row = 0;
    int column = 0;
};

struct KeyTargetSet {
    std::vector<KeyTarget> targets; // in reading order
    // Where the cursor first appears, and where it goes when a move took its place away.
    int first = 0;
};
