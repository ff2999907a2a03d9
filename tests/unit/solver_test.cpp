// The solver: its lengths against a breadth-first search of the boards near
// home, on both ends, its solutions played back on random deals, the same way
// on one thread as on several, and the stop flag ending the build and the search.
#include "solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <random>
#include <thread>
#include <unordered_set>

namespace {

const Cells ORDERED = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
// One of the boards farthest from home: 80 steps, many seconds of search.
const Cells FARTHEST = {0, 12, 9, 13, 15, 11, 10, 14, 3, 7, 2, 5, 4, 8, 6, 1};

// Milliseconds from setting the stop flag, a moment after `work` started on
// another thread, until `work` returned; the result through `result`.
template <typename Work, typename Result>
double ms_to_stop(std::atomic<bool>& stop, Work work, Result& result, int after_ms) {
    auto running = std::async(std::launch::async, work);
    std::this_thread::sleep_for(std::chrono::milliseconds(after_ms));
    const auto set = std::chrono::steady_clock::now();
    stop = true;
    result = running.get();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - set).count();
}
// The flag is read well under a millisecond apart; the bound leaves room for a loaded machine.
constexpr double STOP_BOUND_MS = 50;

Cells renamed_14_15(Cells cells) {
    for (int& v : cells)
        if (v >= 14) v = 29 - v;
    return cells;
}

// Moves the tiles one cell each into the empty cell; false at a tile that is not beside it.
bool play(Cells& cells, const std::vector<int>& tiles) {
    for (int tile : tiles) {
        const auto empty = std::find(cells.begin(), cells.end(), 0), at = std::find(cells.begin(), cells.end(), tile);
        const long e = empty - cells.begin(), t = at - cells.begin();
        if (at == cells.end() || !(std::abs(e - t) == 4 || (std::abs(e - t) == 1 && e / 4 == t / 4))) return false;
        std::iter_swap(empty, at);
    }
    return true;
}

}  // namespace

TEST(Solver, LengthsMatchABreadthFirstSearchOnBothEnds) {
    // The boards 0..14 steps from home, layer by layer; the first and the last
    // board of each layer are checked, and each renamed to reach the exchanged end.
    std::vector<std::pair<Cells, int>> checked;
    std::unordered_set<std::uint64_t> seen;
    auto key = [](const Cells& c) {
        std::uint64_t k = 0;
        for (int v : c) k = k << 4 | static_cast<std::uint64_t>(v);
        return k;
    };
    std::vector<Cells> layer{ORDERED};
    seen.insert(key(ORDERED));
    for (int distance = 0; distance <= 14; ++distance) {
        checked.push_back({layer.front(), distance});
        checked.push_back({layer.back(), distance});
        std::vector<Cells> next;
        for (const Cells& cells : layer)
            for (int tile = 1; tile <= 15; ++tile) {
                Cells moved = cells;
                if (play(moved, {tile}) && seen.insert(key(moved)).second) next.push_back(moved);
            }
        layer.swap(next);
    }
    for (const auto& [board, distance] : checked)
        for (const bool exchanged : {false, true}) {
            const Cells start = exchanged ? renamed_14_15(board) : board;
            const Solution solution = shared_solver().solve(start);
            EXPECT_EQ(solution.tiles.size(), static_cast<std::size_t>(distance)) << (exchanged ? "exchanged" : "ordered");
            EXPECT_EQ(solution.end, exchanged ? END_EXCHANGED : END_ORDERED);
            Cells cells = start;
            EXPECT_TRUE(play(cells, solution.tiles));
            EXPECT_EQ(cells, exchanged ? renamed_14_15(ORDERED) : ORDERED);
        }
}

TEST(Solver, RandomDealsPlayToTheirEndAndEachStepIsOneShorter) {
    std::mt19937 random(20);
    for (int deal = 0; deal < 4; ++deal) {
        Cells cells = ORDERED;
        std::shuffle(cells.begin(), cells.end(), random);
        const EndKind end = reachable_end(cells);
        const Solution solution = shared_solver().solve(cells);
        ASSERT_EQ(solution.end, end);
        ASSERT_FALSE(solution.tiles.empty());
        // A shortest way is still shortest from its second board on.
        Cells after_first = cells;
        ASSERT_TRUE(play(after_first, {solution.tiles.front()}));
        EXPECT_EQ(shared_solver().solve(after_first).tiles.size(), solution.tiles.size() - 1) << "deal " << deal;
        ASSERT_TRUE(play(cells, solution.tiles));
        EXPECT_EQ(cells, end == END_ORDERED ? ORDERED : renamed_14_15(ORDERED)) << "deal " << deal;
    }
}

TEST(Solver, SeveralThreadsFindTheSameWayAsOne) {
    // Deals whose last iterations are large enough to be shared among threads.
    const Cells deals[] = {{14, 13, 12, 3, 7, 11, 2, 6, 0, 15, 8, 5, 10, 4, 9, 1},
                           {12, 6, 14, 1, 15, 0, 7, 5, 4, 8, 3, 11, 10, 2, 9, 13},
                           {14, 12, 10, 13, 11, 0, 6, 5, 9, 2, 1, 4, 15, 8, 7, 3}};
    for (const Cells& deal : deals)
        EXPECT_EQ(shared_solver().solve(deal, nullptr, 3).tiles, shared_solver().solve(deal, nullptr, 1).tiles);
}

TEST(Solver, TheStopFlagEndsTheSearchOnOneThreadOrMany) {
    static std::atomic<bool> stop;  // outlives the shared solver's helpers
    for (const int threads : {1, 4}) {
        stop = false;
        Solution solution;
        const double ms =
            ms_to_stop(stop, [&] { return shared_solver().solve(FARTHEST, &stop, threads); }, solution, 300);
        EXPECT_LT(ms, STOP_BOUND_MS) << threads << " threads";
        EXPECT_TRUE(solution.stopped);
        EXPECT_TRUE(solution.tiles.empty());
    }
}

TEST(Solver, TheStopFlagEndsTheBuild) {
    std::atomic<bool> stop{false};
    std::unique_ptr<Solver> solver;
    const double ms = ms_to_stop(stop, [&] { return std::make_unique<Solver>(&stop); }, solver, 100);
    EXPECT_LT(ms, STOP_BOUND_MS);
    EXPECT_FALSE(solver->ready());
    EXPECT_TRUE(shared_solver().ready());
}
