#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <queue>

#include "puzzles/pliva/PlivaModel.h"

// A press a keyboard player makes: Space (left) or Shift+Space (right) on key target `target`.
// PLIVA's target j - 1 is column j (Pliva::KeyTargets).
struct PlivaKeyPress {
    int target = 0;
    bool right = false;
};

namespace pliva_solver {

inline bool rises(const PlivaModel::Values& values, int n)
{
    for (int k = 2; k <= n; ++k) {
        if (values[k] <= values[k - 1])
            return false;
    }
    return true;
}

// The values after column j in direction s, or nullopt when a point would leave the limits.
inline std::optional<PlivaModel::Values> moved(const PlivaModel& model, const PlivaModel::Values& values,
                                               int j, int s)
{
    PlivaModel::Values next = values;
    for (int k = 1; k <= model.mode(); ++k) {
        next[k] += s * model.arrows()[j][k];
        if (next[k] < model.lowLimit() || next[k] > model.highLimit())
            return std::nullopt;
    }
    return next;
}

} // namespace pliva_solver

// The first press of a shortest way to a rising curve (breadth-first over the reachable curves),
// so every press makes progress. Nullopt when the curve rises already or no way turns up within
// maxCurves curves; a small or hand-made puzzle stays far below that.
inline std::optional<PlivaKeyPress> NextPlivaKeyPress(const PlivaModel& model, std::size_t maxCurves = 200000)
{
    const int n = model.mode();
    if (pliva_solver::rises(model.values(), n))
        return std::nullopt;
    std::map<PlivaModel::Values, PlivaKeyPress> firstPress{{model.values(), {}}};
    std::queue<PlivaModel::Values> queue;
    queue.push(model.values());
    while (!queue.empty() && firstPress.size() < maxCurves) {
        const PlivaModel::Values curve = queue.front();
        queue.pop();
        const bool atStart = curve == model.values();
        for (int j = 1; j <= n; ++j) {
            for (int s : {+1, -1}) {
                const std::optional<PlivaModel::Values> next = pliva_solver::moved(model, curve, j, s);
                if (!next || firstPress.count(*next) != 0)
                    continue;
                const PlivaKeyPress press = atStart ? PlivaKeyPress{j - 1, s < 0} : firstPress[curve];
                if (pliva_solver::rises(*next, n))
                    return press;
                firstPress.emplace(*next, press);
                queue.push(*next);
            }
        }
    }
    return std::nullopt;
}
