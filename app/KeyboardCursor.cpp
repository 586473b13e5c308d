#include "app/KeyboardCursor.h"

#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "app/core/Language.h"
#include "app/core/PuzzleModule.h"
#include "app/texts/Texts.h"

namespace {
int firstOf(const KeyTargetSet& set)
{
    return std::clamp(set.first, 0, static_cast<int>(set.targets.size()) - 1);
}
} // namespace

int steppedTarget(const std::vector<KeyTarget>& targets, int from, CursorStep step)
{
    const KeyTarget& here = targets[from];
    if (step == CursorStep::RowStart || step == CursorStep::RowEnd) {
        int end = from;
        for (int i = 0; i < static_cast<int>(targets.size()); ++i) {
            const int ahead = targets[i].column - targets[end].column;
            if (targets[i].row == here.row && (step == CursorStep::RowEnd ? ahead > 0 : ahead < 0))
                end = i;
        }
        return end;
    }
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

SpokenText spokenNow(const std::function<QString(int tongue)>& words)
{
    return
        [german = words(1), english = words(0)](int tongue) { return isGerman(tongue) ? german : english; };
}

KeyboardCursor::KeyboardCursor(KeyboardHost& host, QWidget& area) : QObject(&area), host_(host)
{
    area.installEventFilter(this);
}

PuzzleModule& KeyboardCursor::puzzle() const
{
    return host_.currentModule();
}

bool KeyboardCursor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<QKeyEvent&>(*event);
        if (keyPressed(key) || readingKey(key))
            return true;
    }
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
    case Qt::Key_Home:
        step(CursorStep::RowStart);
        return true;
    case Qt::Key_End:
        step(CursorStep::RowEnd);
        return true;
    case Qt::Key_J:
        if (shift)
            return false;
        jumpToPartner();
        return true;
    case Qt::Key_B:
        if (shift)
            return false;
        readBoard();
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

// Ctrl with an arrow reads a row or a column of the board; it never presses or moves the cursor.
bool KeyboardCursor::readingKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::ControlModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Up:
        review(true, -1);
        return true;
    case Qt::Key_Down:
        review(true, 1);
        return true;
    case Qt::Key_Left:
        review(false, -1);
        return true;
    case Qt::Key_Right:
        review(false, 1);
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
    if (next != *index_) {
        showOn(next);
        return;
    }
    // At the end of a row or column the cursor stays; a key that says nothing would leave a player
    // who cannot see it guessing, so the place is said again.
    host_.Announce(
        spokenNow([this, here = next](int tongue) { return puzzle().DescribeKeyTarget(here, tongue); }));
}

void KeyboardCursor::jumpToPartner()
{
    const KeyTargetSet set = puzzle().KeyTargets();
    if (set.targets.empty())
        return;
    if (!index_ || *index_ >= static_cast<int>(set.targets.size())) {
        showOn(firstOf(set));
        return;
    }
    const std::optional<int> partner = puzzle().PartnerTarget(*index_);
    if (!partner || *partner < 0 || *partner >= static_cast<int>(set.targets.size())) {
        host_.Announce(noPartnerAnnouncement);
        return;
    }
    showOn(*partner);
}

void KeyboardCursor::press(Qt::MouseButton button)
{
    if (!index_) {
        step(CursorStep::Right);
        return;
    }
    const int announcedBefore = host_.announcementCount();
    host_.pressAt(button, at_);
    // The board changed: reading starts again where the puzzle starts it.
    reviewRow_.reset();
    reviewColumn_.reset();
    // What the press announced (solved, a refused move) stays until the cursor moves on.
    followTargets(host_.announcementCount() == announcedBefore);
}

void KeyboardCursor::readBoard()
{
    const PuzzleModule& module = puzzle();
    const SpokenText board = spokenNow([&module](int tongue) { return module.DescribeBoard(tongue); });
    host_.Announce(board(host_.language()).isEmpty() ? SpokenText(noBoardSummaryAnnouncement) : board);
}

void KeyboardCursor::review(bool rows, int step)
{
    const PuzzleModule& module = puzzle();
    const ReviewGrid grid = module.ReviewLines();
    const int count = rows ? grid.rows : grid.columns;
    if (count <= 0) {
        host_.Announce([rows](int tongue) { return noReviewAnnouncement(tongue, rows); });
        return;
    }
    std::optional<int>& position = rows ? reviewRow_ : reviewColumn_;
    const int start = rows ? grid.startRow : grid.startColumn;
    position = std::clamp(position ? *position + step : start, 0, count - 1);
    const ReviewLine line{rows, *position};
    host_.Announce(
        spokenNow([&module, line](int tongue) { return module.DescribeReviewLine(line, tongue); }));
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
    host_.pointerAt(at_);
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
    reviewRow_.reset();
    reviewColumn_.reset();
    if (!index_)
        return;
    index_.reset();
    puzzle().ShowKeyCursor(std::nullopt);
    describe();
}

QString KeyboardCursor::description() const
{
    return index_ ? puzzle().DescribeKeyTarget(*index_, host_.language()) : QString();
}

void KeyboardCursor::describe()
{
    host_.describeDrawingArea(description());
}
