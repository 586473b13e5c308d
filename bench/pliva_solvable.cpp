// How many generated PLIVA puzzles can be solved without a point ever leaving the limits.
// First a breadth-first search over the value vectors reachable by allowed moves (it finds the
// shortest solution, or proves there is none once every reachable vector is seen). When it
// reaches its state cap, a best-first search led by how far the curve is from rising looks for
// any solution within a second cap. A puzzle that neither settles counts as unknown.
//   bench_pliva_solvable [puzzles per level = 10000] [breadth-first cap = 20000]
//                        [best-first cap = 200000]
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <queue>
#include <unordered_set>
#include <vector>

#include "puzzles/pliva/PlivaModel.h"
#include "tests/support/FakeShell.h"

namespace {

using Curve = std::array<std::int16_t, PlivaModel::MaxMode>;

struct CurveHash {
    std::size_t operator()(const Curve& curve) const
    {
        std::uint64_t hash = 1469598103934665603ull;
        for (std::int16_t value : curve)
            hash = (hash ^ static_cast<std::uint16_t>(value)) * 1099511628211ull;
        return static_cast<std::size_t>(hash);
    }
};

enum class Verdict { ShortestFound, Unsolvable, Unknown, SomeFound };

struct Outcome {
    Verdict verdict;
    int moves = 0; // the solution's length when one was found
};

bool Rises(const Curve& curve, int n)
{
    for (int k = 1; k < n; ++k) {
        if (curve[k] <= curve[k - 1])
            return false;
    }
    return true;
}

Outcome Search(const PlivaModel& model, std::size_t stateCap)
{
    const int n = model.mode();
    Curve start{};
    for (int k = 0; k < n; ++k)
        start[k] = static_cast<std::int16_t>(model.values()[k + 1]);
    if (Rises(start, n))
        return {Verdict::ShortestFound, 0};

    std::unordered_set<Curve, CurveHash> seen;
    seen.reserve(stateCap * 2);
    seen.insert(start);
    std::deque<std::pair<Curve, int>> queue{{start, 0}};
    while (!queue.empty()) {
        const auto [curve, depth] = queue.front();
        queue.pop_front();
        for (int j = 1; j <= n; ++j) {
            for (int s : {+1, -1}) {
                Curve next = curve;
                bool fits = true;
                for (int k = 0; k < n && fits; ++k) {
                    const int value = curve[k] + s * model.arrows()[j][k + 1];
                    fits = value >= model.lowLimit() && value <= model.highLimit();
                    next[k] = static_cast<std::int16_t>(value);
                }
                if (!fits || !seen.insert(next).second)
                    continue;
                if (Rises(next, n))
                    return {Verdict::ShortestFound, depth + 1};
                if (seen.size() >= stateCap)
                    return {Verdict::Unknown};
                queue.emplace_back(next, depth + 1);
            }
        }
    }
    return {Verdict::Unsolvable};
}

// How many value steps the curve lacks to rise strictly.
int Deficit(const Curve& curve, int n)
{
    int deficit = 0;
    for (int k = 1; k < n; ++k)
        deficit += std::max(0, curve[k - 1] - curve[k] + 1);
    return deficit;
}

Outcome SearchBestFirst(const PlivaModel& model, std::size_t stateCap)
{
    const int n = model.mode();
    Curve start{};
    for (int k = 0; k < n; ++k)
        start[k] = static_cast<std::int16_t>(model.values()[k + 1]);

    struct Entry {
        int deficit;
        int depth;
        Curve curve;
        bool operator<(const Entry& other) const { return deficit > other.deficit; }
    };
    std::unordered_set<Curve, CurveHash> seen;
    seen.reserve(stateCap * 2);
    seen.insert(start);
    std::priority_queue<Entry> open;
    open.push({Deficit(start, n), 0, start});
    while (!open.empty()) {
        const Entry entry = open.top();
        open.pop();
        for (int j = 1; j <= n; ++j) {
            for (int s : {+1, -1}) {
                Curve next = entry.curve;
                bool fits = true;
                for (int k = 0; k < n && fits; ++k) {
                    const int value = entry.curve[k] + s * model.arrows()[j][k + 1];
                    fits = value >= model.lowLimit() && value <= model.highLimit();
                    next[k] = static_cast<std::int16_t>(value);
                }
                if (!fits || !seen.insert(next).second)
                    continue;
                const int deficit = Deficit(next, n);
                if (deficit == 0)
                    return {Verdict::SomeFound, entry.depth + 1};
                if (seen.size() >= stateCap)
                    return {Verdict::Unknown};
                open.push({deficit, entry.depth + 1, next});
            }
        }
    }
    return {Verdict::Unsolvable};
}

Outcome Classify(const PlivaModel& model, std::size_t breadthCap, std::size_t bestFirstCap)
{
    const Outcome outcome = Search(model, breadthCap);
    if (outcome.verdict != Verdict::Unknown)
        return outcome;
    return SearchBestFirst(model, bestFirstCap);
}

} // namespace

int main(int argc, char** argv)
{
    const int puzzles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const std::size_t breadthCap = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20000;
    const std::size_t bestFirstCap = argc > 3 ? std::max(1, std::atoi(argv[3])) : 200000;
    std::printf("%d puzzles per level, state caps %zu breadth-first, %zu best-first\n", puzzles, breadthCap,
                bestFirstCap);
    std::printf("shortest: solved by breadth-first search, mean/max of its shortest move count\n");
    std::printf("other: solved only by the best-first search (its path is not the shortest)\n");
    std::printf(" N  solvable  (shortest   other)  unsolvable  unknown  mean  max  seconds\n");
    for (int n = PlivaModel::MinMode; n <= PlivaModel::MaxMode; ++n) {
        SeededRandom random;
        PlivaModel model(random);
        model.setMode(n);
        int counts[4] = {0, 0, 0, 0};
        long long totalMoves = 0;
        int maxMoves = 0;
        const auto begin = std::chrono::steady_clock::now();
        for (int i = 0; i < puzzles; ++i) {
            random.seed(static_cast<unsigned>(n * 1000003 + i));
            model.NewPuzzle();
            const Outcome outcome = Classify(model, breadthCap, bestFirstCap);
            ++counts[static_cast<int>(outcome.verdict)];
            if (outcome.verdict == Verdict::ShortestFound) {
                totalMoves += outcome.moves;
                maxMoves = std::max(maxMoves, outcome.moves);
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        auto share = [&](int count) { return 100.0 * count / puzzles; };
        const int shortest = counts[static_cast<int>(Verdict::ShortestFound)];
        const int other = counts[static_cast<int>(Verdict::SomeFound)];
        std::printf("%2d  %7.2f%%  (%7.2f%% %7.2f%%)  %9.2f%%  %6.2f%%  %4.1f  %3d  %7.1f\n", n,
                    share(shortest + other), share(shortest), share(other),
                    share(counts[static_cast<int>(Verdict::Unsolvable)]),
                    share(counts[static_cast<int>(Verdict::Unknown)]),
                    shortest ? static_cast<double>(totalMoves) / shortest : 0.0, maxMoves, seconds);
        std::fflush(stdout);
    }
    return 0;
}
