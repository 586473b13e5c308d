#include "puzzles/zupel/ZupelModel.h"

#include <algorithm>

#include "app/core/RandomSource.h"

ZupelModel::ZupelModel(RandomSource& random) : random_(random) {}

void ZupelModel::setMode(int k)
{
    mode_ = std::clamp(k, MinMode, MaxMode);
    currentColumn_ = std::min(currentColumn_, mode_);
    currentRow_ = std::min(currentRow_, mode_);
}

int ZupelModel::cell(int a, int b) const
{
    return inTable(a, b) ? cells_[a][b] : Empty;
}

void ZupelModel::setCell(int a, int b, int value)
{
    if (inTable(a, b))
        cells_[a][b] = std::clamp(value, Expense, MaxDigit);
}

void ZupelModel::setCurrent(int a, int b, bool rowBar)
{
    currentColumn_ = std::clamp(a, 1, mode_);
    currentRow_ = std::clamp(b, 1, mode_);
    rowBar_ = rowBar;
}

void ZupelModel::NewPuzzle()
{
    for (Column& column : cells_)
        column.fill(Empty);
    placeUnits();
    markExpenses();
    placeStartCell();
}

// A source that answers outside [0, n) must not reach outside the table.
int ZupelModel::draw(int n)
{
    return std::clamp(random_.Random(n), 0, n - 1);
}

// K * K units, column drawn before row; a full cell is drawn again without counting, and the
// table holds 9 * K * K, so the loop ends.
void ZupelModel::placeUnits()
{
    const int units = mode_ * mode_;
    for (int placed = 0; placed < units;) {
        const int a = draw(mode_) + 1;
        const int b = draw(mode_) + 1;
        if (cells_[a][b] >= MaxDigit)
            continue;
        ++cells_[a][b];
        ++placed;
    }
}

void ZupelModel::markExpenses()
{
    for (int a = 1; a <= mode_; ++a) {
        for (int b = 1; b <= mode_; ++b) {
            if (cells_[a][b] == Empty)
                cells_[a][b] = Expense;
        }
    }
}

void ZupelModel::placeStartCell()
{
    currentColumn_ = draw(mode_) + 1;
    currentRow_ = draw(mode_) + 1;
    rowBar_ = draw(2) == 0;
}

bool ZupelModel::inTable(int a, int b) const
{
    return a >= 1 && a <= mode_ && b >= 1 && b <= mode_;
}

bool ZupelModel::inBar(int a, int b) const
{
    return rowBar_ ? b == currentRow_ : a == currentColumn_;
}

bool ZupelModel::canPick(int a, int b) const
{
    return inTable(a, b) && inBar(a, b) && cells_[a][b] != Empty && !isCurrent(a, b);
}

ZupelModel::PickKind ZupelModel::pick(int a, int b)
{
    if (!canPick(a, b))
        return PickKind::Refused;
    currentColumn_ = a;
    currentRow_ = b;
    rowBar_ = !rowBar_;
    if (cells_[a][b] == Expense)
        return PickKind::Expense;
    --cells_[a][b];
    return PickKind::Digit;
}

bool ZupelModel::AllCollected() const
{
    for (int a = 1; a <= mode_; ++a) {
        for (int b = 1; b <= mode_; ++b) {
            if (cells_[a][b] > 0)
                return false;
        }
    }
    return true;
}

int ZupelModel::unitsLeft() const
{
    int units = 0;
    for (int a = 1; a <= mode_; ++a) {
        for (int b = 1; b <= mode_; ++b)
            units += std::max(cells_[a][b], 0);
    }
    return units;
}

bool ZupelModel::BarEmpty() const
{
    for (int i = 1; i <= mode_; ++i) {
        const int a = rowBar_ ? i : currentColumn_;
        const int b = rowBar_ ? currentRow_ : i;
        if (!isCurrent(a, b) && cells_[a][b] != Empty)
            return false;
    }
    return true;
}

bool ZupelModel::chargeUnit()
{
    for (int a = 1; a <= mode_; ++a) {
        for (int b = 1; b <= mode_; ++b) {
            if (cells_[a][b] > 0) {
                --cells_[a][b];
                return true;
            }
        }
    }
    return false;
}
