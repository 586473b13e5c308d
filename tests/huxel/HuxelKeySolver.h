#pragma once

#include <deque>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "puzzles/huxel/HuxelModel.h"

// A press a keyboard player makes on key target `target`: Space (left, counter-clockwise) or
// Shift+Space (right, clockwise).
struct HuxelKeyPress {
    int target = 0;
    bool right = false;
    bool operator==(const HuxelKeyPress&) const = default;
};

// One turn of a block, as the deal of a puzzle or a player makes it.
struct HuxelTurn {
    int col = 1;
    int row = 1;
    HuxelModel::Side table = HuxelModel::Side::Left;
    HuxelModel::Turn turn = HuxelModel::Turn::Clockwise;
};

// The key target of block [col][row] of a table at size n (Huxel::KeyTargets): target 0 is the
// font button, then come the blocks row by row, across the left table and on into the right one.
inline int HuxelBlockTarget(int n, int col, int row, HuxelModel::Side table)
{
    const int blocks = n - 1;
    return 1 + (row - 1) * 2 * blocks + (table == HuxelModel::Side::Right ? blocks : 0) + col - 1;
}

// Draws for a ScriptedRandom that make NewPuzzle at size n deal both tables in alphabet order and
// then scramble them by `turns` alone: the rest of the deal's turns come in pairs that cancel. A
// deal makes an odd number of turns, so `turns` must be odd too (1 or 3, say); with an even count
// the result is empty. An empty script (every draw 0) deals one counter-clockwise turn of the left
// table's block [1][1].
inline std::deque<int> HuxelScrambleScript(int n, const std::vector<HuxelTurn>& turns)
{
    const int dealTurns = n * n * 100 + 1;
    if (turns.size() % 2 == 0 || static_cast<int>(turns.size()) > dealTurns)
        return {};
    std::deque<int> script(2 * 1001, 0); // every exchange of the alphabet swaps a letter with itself
    auto draw = [&script](const HuxelTurn& t) {
        script.push_back(t.turn == HuxelModel::Turn::Clockwise ? 1 : 0);
        script.push_back(static_cast<int>(t.table));
        script.push_back(t.row - 1);
        script.push_back(t.col - 1);
    };
    for (const HuxelTurn& t : turns)
        draw(t);
    for (int pair = 0; pair < (dealTurns - static_cast<int>(turns.size())) / 2; ++pair) {
        draw({1, 1, HuxelModel::Side::Left, HuxelModel::Turn::Clockwise});
        draw({1, 1, HuxelModel::Side::Left, HuxelModel::Turn::CounterClockwise});
    }
    return script;
}

// The presses of a shortest way to equal tables, breadth-first over the turns of both tables;
// empty when the tables agree already, nullopt when no way of at most maxPresses presses exists.
// Meant for small scrambles: the search grows with (2 (n - 1)^2 x 2)^maxPresses.
inline std::optional<std::vector<HuxelKeyPress>> SolveHuxelByKeys(const HuxelModel& model, int maxPresses = 4)
{
    using Side = HuxelModel::Side;
    using Turn = HuxelModel::Turn;
    using Tables = std::pair<HuxelModel::Table, HuxelModel::Table>;
    struct Node {
        HuxelModel model;
        std::vector<HuxelKeyPress> presses;
    };
    const int n = model.TableSize();
    std::set<Tables> seen{{model.LeftTable(), model.RightTable()}};
    std::deque<Node> queue{{model, {}}};
    while (!queue.empty()) {
        Node node = std::move(queue.front());
        queue.pop_front();
        if (node.model.TablesEqual())
            return node.presses;
        if (static_cast<int>(node.presses.size()) == maxPresses)
            continue;
        for (Side table : {Side::Left, Side::Right}) {
            for (int row = 1; row < n; ++row) {
                for (int col = 1; col < n; ++col) {
                    for (Turn turn : {Turn::Clockwise, Turn::CounterClockwise}) {
                        Node next = node;
                        next.model.rotate(turn, col, row, table);
                        if (!seen.insert({next.model.LeftTable(), next.model.RightTable()}).second)
                            continue;
                        next.presses.push_back(
                            {HuxelBlockTarget(n, col, row, table), turn == Turn::Clockwise});
                        queue.push_back(std::move(next));
                    }
                }
            }
        }
    }
    return std::nullopt;
}
