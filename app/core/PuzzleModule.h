#pragma once

#include <QString>
#include <optional>

#include "app/core/KeyTarget.h"

class SettingsStore;

// The operations the shell calls on the current puzzle. Coordinates are drawing-area pixels;
// up = one level higher.
class PuzzleModule {
  public:
    virtual ~PuzzleModule() = default;

    // A fresh puzzle at the current level; sets the play state to fresh and does not draw.
    virtual void NewPuzzle() = 0;
    // The form used at start-up and on the first switch to the puzzle.
    virtual void NewPuzzleAtStart() { NewPuzzle(); }
    virtual void PaintPuzzle() = 0;
    virtual void MouseDownLeft(int x, int y) = 0;
    virtual void MouseDownRight(int /*x*/, int /*y*/) {}
    virtual void MouseMove(int /*x*/, int /*y*/) {}
    virtual void OptionClick(bool up) = 0;
    virtual void OptionZClick(bool /*up*/) {}
    virtual void TimerTick() {}
    virtual void LoadSettings(const SettingsStore& settings) = 0;
    virtual void SaveSettings(SettingsStore& settings) const = 0;
    // The level value of the high-score list key ("pliv7", "vexo23").
    virtual int ScoreLevel() const = 0;

    // Play with the keyboard. The places a player presses; asked afresh before every key, since
    // a move or a level change may change them.
    virtual KeyTargetSet KeyTargets() const { return {}; }
    // The keyboard cursor now stands on KeyTargets().targets[index], or is hidden (nullopt). A
    // puzzle that takes pointer moves has just been sent MouseMove to the target's point and shows
    // its hover look from that; a puzzle without one draws a mark of its own here, and restores
    // the pixels under it exactly when the mark leaves or hides.
    virtual void ShowKeyCursor(std::optional<int> /*index*/) {}
    // What a screen reader says of KeyTargets().targets[index], in the language tongue: short,
    // what changes first; what a press there does is said by the rules window, not on every key.
    virtual QString DescribeKeyTarget(int /*index*/, int /*tongue*/) const { return {}; }
    // One short line that reads the whole board (key B).
    virtual QString DescribeBoard(int /*tongue*/) const { return {}; }
    // The same place in the other part of the board (key J), e.g. the same block of the other
    // table; nullopt where there is none.
    virtual std::optional<int> PartnerTarget(int /*index*/) const { return std::nullopt; }
    // Lines of the board a player reads without pressing anything: Ctrl+Up and Ctrl+Down step
    // through the rows and read one, Ctrl+Left and Ctrl+Right the columns. Empty: none.
    virtual ReviewGrid ReviewLines() const { return {}; }
    virtual QString DescribeReviewLine(ReviewLine /*line*/, int /*tongue*/) const { return {}; }
};
