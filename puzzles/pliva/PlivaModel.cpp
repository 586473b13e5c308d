#include "puzzles/pliva/PlivaModel.h"

#include <algorithm>

#include "app/core/RandomSource.h"

PlivaModel::PlivaModel(RandomSource& random) : random_(random)
{
    // Until the first NewPuzzle the straight line with its limits keeps drawing well defined.
    SetStraightLine();
}

void PlivaModel::setMode(int n)
{
    mode_ = std::clamp(n, MinMode, MaxMode);
}

void PlivaModel::NewPuzzle()
{
    SetStraightLine();
    FillArrowTable();
    ShuffleColumns();
    Scramble();
    SetLimits();
}

void PlivaModel::SetStraightLine()
{
    values.fill(0);
    for (int k = 1; k <= mode_; ++k)
        values[k] = k;
    highLimit = mode_;
    lowLimit = 0;
}

int PlivaModel::RandomArrow()
{
    const int size = random_.Random(mode_ / 2) + 1;
    const int sign = random_.Random(2) * 2 - 1;
    return size * sign;
}

// A nonzero diagonal, then random overwrites that never clear an entry: every point and every
// column keeps at least one arrow.
void PlivaModel::FillArrowTable()
{
    for (auto& column : arrows)
        column.fill(0);
    for (int k = 1; k <= mode_; ++k)
        arrows[k][k] = RandomArrow();
    for (int round = 0; round < 3 * mode_; ++round) {
        const int k = random_.Random(mode_) + 1;
        const int j = random_.Random(mode_) + 1;
        arrows[j][k] = RandomArrow();
    }
}

void PlivaModel::ShuffleColumns()
{
    for (int round = 0; round < 100 * mode_; ++round) {
        const int a = random_.Random(mode_) + 1;
        const int b = random_.Random(mode_) + 1;
        std::swap(arrows[a], arrows[b]);
    }
}

// Random moves from the rising line, ignoring the limits, until the curve no longer rises.
void PlivaModel::Scramble()
{
    do {
        for (int round = 0; round < 10 * mode_; ++round) {
            const int s = random_.Random(2) * 2 - 1;
            const int j = random_.Random(mode_) + 1;
            ApplyArrows(j, s);
        }
    } while (CurveRises());
}

// A third of headroom beyond the scrambled extremes; integer division truncates toward zero.
void PlivaModel::SetLimits()
{
    lowLimit = 0;
    for (int k = 1; k <= mode_; ++k) {
        highLimit = std::max(highLimit, values[k]);
        lowLimit = std::min(lowLimit, values[k]);
    }
    highLimit = (4 * highLimit) / 3;
    lowLimit = (4 * lowLimit) / 3;
}

void PlivaModel::ApplyArrows(int j, int s)
{
    if (!ValidColumn(j))
        return;
    for (int k = 1; k <= mode_; ++k)
        values[k] += s * arrows[j][k];
}

bool PlivaModel::MoveFits(int j, int s) const
{
    if (!ValidColumn(j))
        return false;
    for (int k = 1; k <= mode_; ++k) {
        const int moved = values[k] + s * arrows[j][k];
        if (moved < lowLimit || moved > highLimit)
            return false;
    }
    return true;
}

bool PlivaModel::CurveRises() const
{
    for (int k = 2; k <= mode_; ++k) {
        if (values[k] <= values[k - 1])
            return false;
    }
    return true;
}
