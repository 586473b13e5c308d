#include "puzzles/pliva/PlivaModel.h"

#include <algorithm>

#include "app/core/RandomSource.h"

PlivaModel::PlivaModel(RandomSource& random) : random_(random)
{
    // Until the first NewPuzzle the straight line with its limits keeps drawing well defined.
    setStraightLine();
}

void PlivaModel::setMode(int n)
{
    mode_ = std::clamp(n, MinMode, MaxMode);
}

void PlivaModel::NewPuzzle()
{
    setStraightLine();
    fillArrowTable();
    shuffleColumns();
    scramble();
    setLimits();
}

void PlivaModel::setStraightLine()
{
    values_.fill(0);
    for (int k = 1; k <= mode_; ++k)
        values_[k] = k;
    highLimit_ = mode_;
    lowLimit_ = 0;
}

int PlivaModel::RandomArrow()
{
    const int size = random_.Random(mode_ / 2) + 1;
    const int sign = random_.Random(2) * 2 - 1;
    return size * sign;
}

// A nonzero diagonal, then random overwrites that never clear an entry: every point and every
// column keeps at least one arrow.
void PlivaModel::fillArrowTable()
{
    for (auto& column : arrows_)
        column.fill(0);
    for (int k = 1; k <= mode_; ++k)
        arrows_[k][k] = RandomArrow();
    for (int round = 0; round < 3 * mode_; ++round) {
        const int k = random_.Random(mode_) + 1;
        const int j = random_.Random(mode_) + 1;
        arrows_[j][k] = RandomArrow();
    }
}

void PlivaModel::shuffleColumns()
{
    for (int round = 0; round < 100 * mode_; ++round) {
        const int a = random_.Random(mode_) + 1;
        const int b = random_.Random(mode_) + 1;
        std::swap(arrows_[a], arrows_[b]);
    }
}

// Random moves from the rising line, ignoring the limits, until the curve no longer rises.
void PlivaModel::scramble()
{
    do {
        for (int round = 0; round < 10 * mode_; ++round) {
            const int s = random_.Random(2) * 2 - 1;
            const int j = random_.Random(mode_) + 1;
            applyArrows(j, s);
        }
    } while (CurveRises());
}

// A third of headroom beyond the scrambled extremes; integer division truncates toward zero.
void PlivaModel::setLimits()
{
    lowLimit_ = 0;
    for (int k = 1; k <= mode_; ++k) {
        highLimit_ = std::max(highLimit_, values_[k]);
        lowLimit_ = std::min(lowLimit_, values_[k]);
    }
    highLimit_ = (4 * highLimit_) / 3;
    lowLimit_ = (4 * lowLimit_) / 3;
}

void PlivaModel::applyArrows(int j, int s)
{
    if (!validColumn(j))
        return;
    for (int k = 1; k <= mode_; ++k)
        values_[k] += s * arrows_[j][k];
}

bool PlivaModel::moveFits(int j, int s) const
{
    if (!validColumn(j))
        return false;
    for (int k = 1; k <= mode_; ++k) {
        const int moved = values_[k] + s * arrows_[j][k];
        if (moved < lowLimit_ || moved > highLimit_)
            return false;
    }
    return true;
}

bool PlivaModel::CurveRises() const
{
    for (int k = 2; k <= mode_; ++k) {
        if (values_[k] <= values_[k - 1])
            return false;
    }
    return true;
}

bool PlivaModel::setCurve(const Values& values, int lowLimit, int highLimit)
{
    if (lowLimit >= highLimit)
        return false;
    for (int k = 1; k <= mode_; ++k) {
        if (values[k] < lowLimit || values[k] > highLimit)
            return false;
    }
    values_ = values;
    lowLimit_ = lowLimit;
    highLimit_ = highLimit;
    return true;
}

bool PlivaModel::setArrowColumn(int j, const Values& column)
{
    if (!validColumn(j))
        return false;
    arrows_[j] = column;
    std::fill(arrows_[j].begin() + mode_ + 1, arrows_[j].end(), 0);
    arrows_[j][0] = 0;
    return true;
}
