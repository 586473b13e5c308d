#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>
#include <vector>

#include "app/core/KeyTarget.h"
#include "app/core/ShellServices.h"

class PuzzleModule;
class QKeyEvent;
class QWidget;

enum class CursorStep { Left, Right, Up, Down, RowStart, RowEnd };

// The target an arrow key leads to from targets[from]: Left and Right the neighbour in the same
// row, Up and Down the nearest column of the next row that has targets, RowStart and RowEnd the
// ends of the row. From itself at an end.
int steppedTarget(const std::vector<KeyTarget>& targets, int from, CursorStep step);

// A text worded now in both languages, so that it can be said again after a language change
// without asking the puzzle, which may have moved on by then.
SpokenText spokenNow(const std::function<QString(int tongue)>& words);

// What the keyboard cursor needs of the window it works in.
class KeyboardHost {
  public:
    virtual PuzzleModule& currentModule() = 0;
    virtual int language() const = 0;
    // A press and a pointer move at a drawing-area point, routed as the pointer's are.
    virtual void pressAt(Qt::MouseButton button, QPoint at) = 0;
    virtual void pointerAt(QPoint at) = 0;
    // What a screen reader says of the drawing area; empty: how to play it with keys.
    virtual void describeDrawingArea(const QString& text) = 0;
    virtual void Announce(SpokenText words) = 0;
    virtual int announcementCount() const = 0;

  protected:
    ~KeyboardHost() = default;
};

// The drawing area's keyboard cursor: a pointer position that the arrow keys move between the
// places the current puzzle names. Space or Enter is a left press there; Shift+Space,
// Shift+Enter or the Menu key a right press. Moves and presses go through the host's routing, so
// a key does exactly what the pointer would. Reading keys (B, Ctrl+arrows) never press.
class KeyboardCursor final : public QObject {
    Q_OBJECT
  public:
    KeyboardCursor(KeyboardHost& host, QWidget& area);

    // A pointer move over the drawing area. False when it must not reach the puzzle: while the
    // cursor shows, Qt repeats the unchanged pointer position after dialogs and repaints.
    bool pointerMoved(QPoint at);
    // Before the puzzle is replaced or made anew; the next arrow key starts afresh, and so does
    // the reading of rows and columns.
    void hide();
    // Tells a screen reader again what is under the cursor.
    void describe();
    // What a screen reader hears of the cursor's place now; empty without a cursor.
    QString description() const;
    std::optional<int> index() const { return index_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PuzzleModule& puzzle() const;
    bool keyPressed(const QKeyEvent& key);
    bool readingKey(const QKeyEvent& key);
    void step(CursorStep direction);
    void jumpToPartner();
    void press(Qt::MouseButton button);
    void readBoard();
    void review(bool rows, int step);
    // tell: a screen reader hears the new place (not right after the end was announced).
    void showOn(int index, bool tell = true);
    void followTargets(bool tell);

    KeyboardHost& host_;
    std::optional<int> index_;
    QPoint at_;
    std::optional<QPoint> lastPointer_;
    // The row and the column last read; unset until the first reading key after a reset.
    std::optional<int> reviewRow_;
    std::optional<int> reviewColumn_;
};
