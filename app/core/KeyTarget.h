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

// The rows and columns a player reads without pressing, and the line each starts on (the row and
// column of the current place, for instance).
struct ReviewGrid {
    int rows = 0;
    int columns = 0;
    int startRow = 0;
    int startColumn = 0;
};

struct ReviewLine {
    bool isRow = true;
    int index = 0; // 0-based
};
