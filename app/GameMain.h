#pragma once

#include <functional>

#include "app/MainForm.h"

// Runs the game: entry of the program. firstFrame, when given, is called once the main window
// has painted for the first time (start-up measurements).
int runGame(int argc, char** argv, std::function<void()> firstFrame = {});

// The parts the game's main window is built from, with the four puzzles as the game plays them.
ShellParts gameParts(const QString& dataDir, SettingsStore& settings, RandomSource& random,
                     ShellDialogs& dialogs);
