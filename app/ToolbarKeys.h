#pragma once

#include <QKeySequence>
#include <vector>

class TMainForm;

// What a toolbar key does: the press of its button, or the rules field.
enum class KeyAction {
    NewPuzzle,
    LevelUp,
    LevelDown,
    SecondLevelUp,
    SecondLevelDown,
    Pause,
    Sound,
    Music,
    HighScores,
    Exit,
    Puzzle1,
    Puzzle2,
    Puzzle3,
    Puzzle4,
    Language,
    Help,
    About,
    WebSite,
    Rules,
};

struct ToolbarKey {
    QKeySequence keys;
    KeyAction action;
};

// The desktop's common game keys where it has them (Ctrl+N, P, Ctrl+H, Ctrl+Q, F1), plain
// letters for the rest.
const std::vector<ToolbarKey>& toolbarKeys();

// Gives the main window its toolbar keys. A key does exactly what a press of its button does,
// and nothing while that button is disabled.
void addToolbarKeys(TMainForm& form);

void runKeyAction(TMainForm& form, KeyAction action);
