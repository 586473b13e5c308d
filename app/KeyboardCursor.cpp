#include "app/KeyboardCursor.h"

#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "app/MainForm.h"

namespace {
int firstOf(const KeyTargetSet& set)
{
    return std::clamp(set.first, 0, static_cast<int>(set.targets.size()) - 1);
}
} // namespace

int steppedTarget(const std::vector<KeyTarget>& targets, int from, CursorStep step)
{
    const KeyTarget& here = targets[from];
    const bool sideways = step == CursorStep::Left || step == CursorStep::Right;
    const int sign = (step == CursorStep::Right || step == CursorStep::Down) ? 1 : -1;
    int best = from;
    for (int i = 0; i < static_cast<int>(targets.size()); ++i) {
        const KeyTarget& t = targets[i];
        if (sideways) {
            const int ahead = (t.column - here.column) * sign;
            if (t.row == here.row && ahead > 0 &&
                (best == from || ahead < (targets[best].column - here.column) * sign))
                best = i;
            continue;
        }
        const int rowsAhead = (t.row - here.row) * sign;
        if (rowsAhead <= 0)
            continue;
        if (best == from) {
            best = i;
            continue;
        }
        const KeyTarget& b = targets[best];
        const int bestRowsAhead = (b.row - here.row) * sign;
        const int distance = std::abs(t.column - here.column);
        const int bestDistance = std::abs(b.column - here.column);
        if (rowsAhead < bestRowsAhead ||
            (rowsAhead == bestRowsAhead &&
             (distance < bestDistance || (distance == bestDistance && t.column < b.column))))
            best = i;
    }
    return best;
}

KeyboardCursor::KeyboardCursor(TMainForm& form) : QObject(&form), form_(form)
{
    form_.drawingArea()->installEventFilter(this);
}

PuzzleModule& KeyboardCursor::puzzle() const
{
    return form_.module(form_.currentPuzzle());
}

bool KeyboardCursor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && keyPressed(static_cast<QKeyEvent&>(*event)))
        return true;
    return QObject::eventFilter(watched, event);
}

bool KeyboardCursor::keyPressed(const QKeyEvent& key)
{
    const bool shift = key.modifiers().testFlag(Qt::ShiftModifier);
    const Qt::KeyboardModifiers others = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
        step(CursorStep::Left);
        return true;
    case Qt::Key_Right:
        step(CursorStep::Right);
        return true;
    case Qt::Key_Up:
        step(CursorStep::Up);
        return true;
    case Qt::Key_Down:
        step(CursorStep::Down);
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(shift ? Qt::RightButton : Qt::LeftButton);
        return true;
    case Qt::Key_Menu:
        press(Qt::RightButton);
        return true;
    default:
        return false;
    }
}

// The first key only shows the cursor; a press needs a place the player has seen.
void KeyboardCursor::step(CursorStep direction)
{
    const KeyTargetSet set = puzzle().KeyTargets();
    if (set.targets.empty())
        return;
    if (!index_ || *index_ >= static_cast<int>(set.targets.size())) {
        showOn(firstOf(set));
        return;
    }
    const int next = steppedTarget(set.targets, *index_, direction);
    if (next != *index_)
        showOn(next);
}

void KeyboardCursor::press(Qt::MouseButton button)
{
    if (!index_) {
        step(CursorStep::Right);
        return;
    }
    const int announcedBefore = form_.announcementCount();
    form_.boxMouseDown(button, at_.x(), at_.y());
    // What the press announced (solved, a refused move) stays until the cursor moves on.
    followTargets(form_.announcementCount() == announcedBefore);
}

// A move may change the places (a new bar, a new level): the cursor keeps its point when that
// is still a place, otherwise it goes where the puzzle starts it.
void KeyboardCursor::followTargets(bool tell)
{
    if (!index_)
        return;
    const KeyTargetSet set = puzzle().KeyTargets();
    const auto same = std::find_if(set.targets.begin(), set.targets.end(),
                                   [this](const KeyTarget& t) { return t.at == at_; });
    if (set.targets.empty()) {
        hide();
        return;
    }
    if (same != set.targets.end()) {
        index_ = static_cast<int>(same - set.targets.begin());
        puzzle().ShowKeyCursor(index_);
        if (tell)
            describe();
        return;
    }
    showOn(firstOf(set), tell);
}

void KeyboardCursor::showOn(int index, bool tell)
{
    const KeyTargetSet set = puzzle().KeyTargets();
    index_ = index;
    at_ = set.targets[index].at;
    form_.boxMouseMove(at_.x(), at_.y());
    puzzle().ShowKeyCursor(index_);
    if (tell)
        describe();
}

bool KeyboardCursor::pointerMoved(QPoint at)
{
    const bool stillThere = lastPointer_ && *lastPointer_ == at;
    lastPointer_ = at;
    if (!index_)
        return true;
    if (stillThere)
        return false;
    hide();
    return true;
}

void KeyboardCursor::hide()
{
    if (!index_)
        return;
    index_.reset();
    puzzle().ShowKeyCursor(std::nullopt);
    describe();
}

void KeyboardCursor::describe()
{
    const int tongue = form_.tongue();
    form_.describeDrawingArea(index_ ? puzzle().DescribeKeyTarget(*index_, tongue) : QString());
}
