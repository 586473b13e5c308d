#pragma once

#include <QObject>
#include <QPoint>
#include <optional>
#include <vector>

#include "app/core/KeyTarget.h"

class PuzzleModule;
class QKeyEvent;
class TMainForm;

enum class CursorStep { Left, Right, Up, Down };

// The target an arrow key leads to from targets[from]: Left and Right the neighbour in the same
// row, Up and Down the nearest column of the next row that has targets. From itself at an end.
int steppedTarget(const std::vector<KeyTarget>& targets, int from, CursorStep step);

// The drawing area's keyboard cursor: a pointer position that the arrow keys move between the
// places the current puzzle names. Space or Enter is a left press there; Shift+Space,
// Shift+Enter or the Menu key a right press. Moves and presses go through the main window's
// routing, so a key does exactly what the pointer would.
class KeyboardCursor final : public QObject {
    Q_OBJECT
  public:
    explicit KeyboardCursor(TMainForm& form);

    // A pointer move over the drawing area. False when it must not reach the puzzle: while the
    // cursor shows, Qt repeats the unchanged pointer position after dialogs and repaints.
    bool pointerMoved(QPoint at);
    // Before the puzzle is replaced or made anew; the next arrow key starts afresh.
    void hide();
    // Tells a screen reader again what is under the cursor (after a language change).
    void describe();
    std::optional<int> index() const { return index_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PuzzleModule& puzzle() const;
    bool keyPressed(const QKeyEvent& key);
    void step(CursorStep direction);
    void press(Qt::MouseButton button);
    // tell: a screen reader hears the new place (not right after the end was announced).
    void showOn(int index, bool tell = true);
    void followTargets(bool tell);

    TMainForm& form_;
    std::optional<int> index_;
    QPoint at_;
    std::optional<QPoint> lastPointer_;
};
