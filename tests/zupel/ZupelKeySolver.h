#pragma once

// Finds a way through a small ZUPEL table, for tests that play it with the keyboard. Header only:
// the shell's tests include it too.

#include <deque>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "puzzles/zupel/ZupelModel.h"

// One pick, and how the keyboard reaches it: the cursor stands on the current cell (where ZUPEL
// puts it first and where a pick leaves it), so the pick is `steps` targets away along the bar,
// Right or Down when positive, Left or Up when negative (alongRow: Left/Right, else Up/Down).
struct ZupelKeyPick {
    int column = 0; // a, 1..K
    int row = 0;    // b, 1..K
    bool alongRow = true;
    int steps = 0;
};

namespace zupel_solver {

inline std::string StateKey(const ZupelModel& model)
{
    std::string key;
    for (int a = 1; a <= model.mode(); ++a) {
        for (int b = 1; b <= model.mode(); ++b)
            key += static_cast<char>(model.cell(a, b) + 1);
    }
    key += static_cast<char>(model.currentColumn());
    key += static_cast<char>(model.currentRow());
    key += model.rowBar() ? 'r' : 'c';
    return key;
}

// Depth first, digits before expenses. A state seen before is either on the path (a loop through
// expenses) or already known to lead nowhere, so each is entered once.
inline bool Search(const ZupelModel& model, std::unordered_set<std::string>& seen,
                   std::vector<ZupelKeyPick>& path, int& budget)
{
    if (model.AllCollected())
        return true;
    if (model.BarEmpty() || --budget < 0 || !seen.insert(StateKey(model)).second)
        return false;
    for (const bool digits : {true, false}) {
        for (int i = 1; i <= model.mode(); ++i) {
            const int a = model.rowBar() ? i : model.currentColumn();
            const int b = model.rowBar() ? model.currentRow() : i;
            if (!model.canPick(a, b) || (model.cell(a, b) > 0) != digits)
                continue;
            const int from = model.rowBar() ? model.currentColumn() : model.currentRow();
            path.push_back({a, b, model.rowBar(), i - from});
            ZupelModel next = model;
            next.pick(a, b);
            if (Search(next, seen, path, budget))
                return true;
            path.pop_back();
        }
    }
    return false;
}

} // namespace zupel_solver

// The picks that collect every digit from the model's current cell and bar; an empty list when
// nothing is left to collect, nullopt when no way exists or the search gave up. Meant for 4 x 4
// tables (a few milliseconds); at 5 x 5 the default budget gives up on about one table in eight.
inline std::optional<std::vector<ZupelKeyPick>> SolveZupel(const ZupelModel& model, int budget = 200000)
{
    std::unordered_set<std::string> seen;
    std::vector<ZupelKeyPick> path;
    if (!zupel_solver::Search(model, seen, path, budget))
        return std::nullopt;
    return path;
}

// Random draws that make a solvable 4 x 4 table in a fresh generation: one unit in each cell,
// column draw before row draw (so no "$"), then the start cell A1 with the bar in its row.
inline std::deque<int> SolvableZupelDrawsK4()
{
    std::deque<int> draws;
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            draws.push_back(a);
            draws.push_back(b);
        }
    }
    draws.insert(draws.end(), {0, 0, 0}); // column A, row 1, row bar (Random(2) = 0)
    return draws;
}
