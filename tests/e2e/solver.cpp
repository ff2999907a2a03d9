// Weighted A* over packed boards; heuristics relative to any goal board.
#include "solver.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <queue>
#include <unordered_map>

namespace e2e {
namespace {

using Packed = std::uint64_t;

Packed pack(const Cells& cells) {
    Packed p = 0;
    for (int i = 0; i < 16; ++i) p |= Packed(cells[i]) << (4 * i);
    return p;
}

Cells unpack(Packed p) {
    Cells cells{};
    for (int i = 0; i < 16; ++i) cells[i] = int((p >> (4 * i)) & 15);
    return cells;
}

// Manhattan distance plus two moves for each pair of tiles in their goal row
// (or column) that stand in the wrong order there.
int heuristic(const Cells& cells, const std::array<int, 16>& goal_of) {
    int h = 0;
    for (int i = 0; i < 16; ++i) {
        const int t = cells[i];
        if (t == 0) continue;
        const int g = goal_of[t];
        h += std::abs(i / 4 - g / 4) + std::abs(i % 4 - g % 4);
    }
    for (int line = 0; line < 4; ++line) {
        for (int a = 0; a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b) {
                const int ta = cells[line * 4 + a], tb = cells[line * 4 + b];
                if (ta && tb && goal_of[ta] / 4 == line && goal_of[tb] / 4 == line &&
                    goal_of[ta] % 4 > goal_of[tb] % 4)
                    h += 2;
                const int ua = cells[a * 4 + line], ub = cells[b * 4 + line];
                if (ua && ub && goal_of[ua] % 4 == line && goal_of[ub] % 4 == line &&
                    goal_of[ua] / 4 > goal_of[ub] / 4)
                    h += 2;
            }
        }
    }
    return h;
}

int inversions_parity(const Cells& cells) {
    // Parity of the permutation of the 16 cells, the empty cell as piece 16.
    std::array<int, 16> p{};
    for (int i = 0; i < 16; ++i) p[i] = cells[i] == 0 ? 16 : cells[i];
    int parity = 0;
    for (int i = 0; i < 16; ++i)
        for (int j = i + 1; j < 16; ++j)
            if (p[i] > p[j]) parity ^= 1;
    return parity;
}

bool try_solve(const Cells& start, const Cells& goal, int weight, std::size_t node_limit,
               std::vector<int>& tiles) {
    std::array<int, 16> goal_of{};
    for (int i = 0; i < 16; ++i) goal_of[goal[i]] = i;
    struct Seen {
        Packed parent;
        int g;
    };
    struct Open {
        int f, g;
        Packed state;
        bool operator<(const Open& o) const { return f != o.f ? f > o.f : g < o.g; }
    };
    std::unordered_map<Packed, Seen> seen;
    std::priority_queue<Open> open;
    const Packed start_p = pack(start), goal_p = pack(goal);
    seen[start_p] = {start_p, 0};
    open.push({weight * heuristic(start, goal_of), 0, start_p});
    while (!open.empty()) {
        const Open top = open.top();
        open.pop();
        if (seen[top.state].g != top.g) continue;
        if (top.state == goal_p) {
            std::vector<Packed> path;
            for (Packed s = goal_p; s != start_p; s = seen[s].parent) path.push_back(s);
            std::reverse(path.begin(), path.end());
            tiles.clear();
            Cells before = start;
            for (Packed s : path) {
                // The tile that moved stands now where the empty cell was.
                tiles.push_back(unpack(s)[empty_cell(before)]);
                before = unpack(s);
            }
            return true;
        }
        if (seen.size() > node_limit) return false;
        const Cells cells = unpack(top.state);
        const int e = empty_cell(cells);
        const int neighbours[4] = {e % 4 > 0 ? e - 1 : -1, e % 4 < 3 ? e + 1 : -1,
                                   e >= 4 ? e - 4 : -1, e < 12 ? e + 4 : -1};
        for (int n : neighbours) {
            if (n < 0) continue;
            Cells next = cells;
            std::swap(next[e], next[n]);
            const Packed np = pack(next);
            const int g = top.g + 1;
            auto it = seen.find(np);
            if (it != seen.end() && it->second.g <= g) continue;
            seen[np] = {top.state, g};
            open.push({g + weight * heuristic(next, goal_of), g, np});
        }
    }
    return false;
}

}  // namespace

Cells ordered_cells() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}; }

Cells exchanged_cells() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 0}; }

int empty_cell(const Cells& cells) {
    for (int i = 0; i < 16; ++i)
        if (cells[i] == 0) return i;
    return -1;
}

bool is_permutation(const Cells& cells) {
    std::array<int, 16> count{};
    for (int v : cells) {
        if (v < 0 || v > 15) return false;
        ++count[v];
    }
    return std::all_of(count.begin(), count.end(), [](int c) { return c == 1; });
}

bool reachable(const Cells& start, const Cells& goal) {
    if (!is_permutation(start) || !is_permutation(goal)) return false;
    auto distance_parity = [](const Cells& c) {
        const int e = empty_cell(c);
        return (3 - e / 4 + 3 - e % 4) & 1;
    };
    return (inversions_parity(start) ^ distance_parity(start)) ==
           (inversions_parity(goal) ^ distance_parity(goal));
}

bool slide(Cells& cells, int tile) {
    int k = -1;
    for (int i = 0; i < 16; ++i)
        if (cells[i] == tile) k = i;
    const int e = empty_cell(cells);
    if (k < 0 || e < 0 || tile == 0) return false;
    int step;
    if (k / 4 == e / 4)
        step = e > k ? 1 : -1;
    else if (k % 4 == e % 4)
        step = e > k ? 4 : -4;
    else
        return false;
    for (int i = e; i != k; i -= step) cells[i] = cells[i - step];
    cells[k] = 0;
    return true;
}

bool solve(const Cells& start, const Cells& goal, std::vector<int>& tiles) {
    tiles.clear();
    if (!reachable(start, goal)) return false;
    // Weight 2 solves these boards in well under a second; the larger weights
    // are a fallback with longer paths, should some board need them.
    for (int weight : {2, 3, 5})
        if (try_solve(start, goal, weight, 3000000, tiles)) return true;
    return false;
}

std::vector<int> merge_slides(const Cells& start, const std::vector<int>& tiles) {
    std::vector<int> clicks;
    Cells cells = start;
    std::size_t i = 0;
    while (i < tiles.size()) {
        // Direction of a step: the empty cell moves from e to the tile's cell.
        auto step_of = [](const Cells& c, int tile) {
            const int e = empty_cell(c);
            for (int j = 0; j < 16; ++j)
                if (c[j] == tile) return j - e;
            return 0;
        };
        const int step = step_of(cells, tiles[i]);
        Cells probe = cells;
        std::size_t run = 0;
        while (i + run < tiles.size() && run < 3 && step_of(probe, tiles[i + run]) == step) {
            slide(probe, tiles[i + run]);
            ++run;
        }
        // The clicked tile is the farthest of the run: the last one to move.
        const int clicked = tiles[i + run - 1];
        slide(cells, clicked);
        clicks.push_back(clicked);
        i += run;
    }
    return clicks;
}

}  // namespace e2e
