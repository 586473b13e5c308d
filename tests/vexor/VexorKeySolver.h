#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include "puzzles/vexor/VexorModel.h"

// A press a keyboard player makes: Space (left) or Shift+Space (right) on key target `target`.
// Every move is a left press; the right press chooses a colour.
struct VexorKeyPress {
    int target = 0;
    bool right = false;
};

// The key target of position k's left or right arrow (Vexor::KeyTargets: two switches first,
// then the arrow rows from the top).
inline int VexorArrowTarget(const VexorModel& model, int k, bool rightArrow)
{
    return 2 + 2 * (model.bookingCount() - k) + (rightArrow ? 1 : 0);
}

namespace vexor_solver {

// Depth-first over a left rotation r[k] of every position, cutting an account above the target
// (bookings are never negative) and any branch that costs no less than the best found.
class Search {
  public:
    Search(const VexorModel& model, std::size_t maxNodes) : model_(model), maxNodes_(maxNodes) {}

    // The rotations of a cheapest solution, or nullopt.
    std::optional<std::array<int, VexorModel::MaxPositions + 1>> cheapest()
    {
        visit(1, 0);
        if (bestCost_ < 0)
            return std::nullopt;
        return best_;
    }

  private:
    int m() const { return model_.accountCount(); }

    void visit(int k, int cost)
    {
        if (++nodes_ > maxNodes_ || (bestCost_ >= 0 && cost >= bestCost_))
            return;
        if (k > model_.bookingCount()) {
            for (int a = 1; a <= m(); ++a) {
                if (sums_[a] != VexorModel::Target)
                    return;
            }
            bestCost_ = cost;
            best_ = rotation_;
            return;
        }
        for (int r = 0; r < m(); ++r) {
            bool fits = true;
            for (int a = 1; a <= m(); ++a) {
                sums_[a] += model_.booking((a - 1 + r) % m() + 1, k);
                fits = fits && sums_[a] <= VexorModel::Target;
            }
            rotation_[k] = r;
            if (fits)
                visit(k + 1, cost + std::min(r, m() - r));
            for (int a = 1; a <= m(); ++a)
                sums_[a] -= model_.booking((a - 1 + r) % m() + 1, k);
        }
        rotation_[k] = 0;
    }

    const VexorModel& model_;
    std::size_t maxNodes_;
    std::size_t nodes_ = 0;
    std::array<int, VexorModel::MaxAccounts + 1> sums_{};
    std::array<int, VexorModel::MaxPositions + 1> rotation_{};
    std::array<int, VexorModel::MaxPositions + 1> best_{};
    int bestCost_ = -1;
};

} // namespace vexor_solver

// The first press of a cheapest way to equal accounts, so every press makes progress. Nullopt
// when the accounts are equal already or no way turns up within maxNodes search steps; small or
// hand-made boards stay far below that.
inline std::optional<VexorKeyPress> NextVexorKeyPress(const VexorModel& model, std::size_t maxNodes = 2000000)
{
    if (model.AllEqual())
        return std::nullopt;
    const auto rotation = vexor_solver::Search(model, maxNodes).cheapest();
    if (!rotation)
        return std::nullopt;
    const int m = model.accountCount();
    for (int k = 1; k <= model.bookingCount(); ++k) {
        const int r = (*rotation)[k];
        if (r != 0)
            return VexorKeyPress{VexorArrowTarget(model, k, r > m - r), false};
    }
    return std::nullopt;
}
