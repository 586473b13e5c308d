#pragma once

#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/PuzzleModule.h"

class ShellServices;

// What the shell needs to know of one puzzle. The shell reads these facts and never asks which
// puzzle is current; only the game's composition root fills the table.
struct PuzzleEntry {
    const char* title = "";       // what the player calls it ("PLIVA")
    const char* scorePrefix = ""; // high-score list key: prefix + level ("pliv7")
    const char* buttonName = "";  // toolbar button, e.g. "PlivBtn"
    const char* glyph = "";       // glyph strip of the toolbar button
    const char* hintGerman = "";  // hint of the toolbar button
    const char* hintEnglish = "";
    const char* backgroundFile = ""; // in the data folder
    QRect rulesHotspot;              // drawing-area pixels
    int settingsRank = 0;            // settings are read and written in rising rank
    bool optionZLive = false;        // the second option button acts for this puzzle
    bool everyButtonActsAsLeft = false;
    bool takesPointerMoves = true;
    bool takesTimerTicks = false;
    bool repaintsOnLanguageChange = false;
    std::function<std::unique_ptr<PuzzleModule>(ShellServices&)> make;
};

// Indexed by the stored puzzle number ("mode" in section "common").
using PuzzleTable = std::vector<PuzzleEntry>;
