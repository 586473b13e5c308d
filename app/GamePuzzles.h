#pragma once

#include "app/core/PuzzleTable.h"

// The game's puzzles by their stored number ("mode" in section "common").
enum GamePuzzle { PuzzlePliva = 0, PuzzleZupel = 1, PuzzleVexor = 2, PuzzleHuxel = 3, PuzzleCount = 4 };

// The four puzzles as the game plays them: one row each, in stored-number order.
PuzzleTable gamePuzzleTable();
