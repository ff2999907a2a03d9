// The runs of moves the search never plays, found breadth first over runs of
// the empty cell on an open grid, and the automaton that spots them.
#include "solver/move_filter.h"

#include <algorithm>
#include <array>

namespace {

// A run of n moves: its directions, two bits each, the first highest; so runs
// of one length compare as numbers in the order of their directions.
using Code = std::uint32_t;

// A grid around the empty cell's start, wide enough for any run that stays on
// a 4 x 4 board and one move more: the empty cell starts at the middle.
constexpr int REACH = 4, SIDE = 2 * REACH + 1, ORIGIN = REACH * SIDE + REACH;
constexpr int STEP[4] = {-SIDE, -1, 1, SIDE};

// Rows and columns from the start, both ends included.
struct Box {
    int top = 0, bottom = 0, left = 0, right = 0;
    void add(int cell) {
        const int r = cell / SIDE - REACH, c = cell % SIDE - REACH;
        top = std::min(top, r), bottom = std::max(bottom, r), left = std::min(left, c), right = std::max(right, c);
    }
    bool within(const Box& outer) const {
        return top >= outer.top && bottom <= outer.bottom && left >= outer.left && right <= outer.right;
    }
    bool fits_the_board() const { return bottom - top < 4 && right - left < 4; }
};

// What a run does to the board: the box of the cells it changes (and the
// start) and where each of those cells' contents came from, four bits each.
struct Effect {
    std::uint64_t contents = 0;
    std::uint32_t box = 0;
    bool operator==(const Effect& other) const { return contents == other.contents && box == other.box; }
};

// For each effect seen, a number: the latest run with it. Kept in one block of
// memory, which goes back to the system whole when freed; many small blocks
// would stay with the process (Wine's 32-bit heap keeps them).
class Seen {
public:
    Seen() : slots_(std::size_t{1} << 16) {}
    // The effect's number, -1 when it is new (then set it).
    std::int32_t& operator[](const Effect& effect) {
        if (2 * (used_ + 1) > slots_.size()) grow();
        Slot& slot = find(slots_, effect);
        if (slot.latest < 0) {
            slot.effect = effect;
            ++used_;
        }
        return slot.latest;
    }

private:
    struct Slot {
        Effect effect;
        std::int32_t latest = -1;
    };
    static Slot& find(std::vector<Slot>& slots, const Effect& effect) {
        const std::uint64_t h = (effect.contents ^ effect.box) * 0x9E3779B97F4A7C15ull;
        const std::size_t mask = slots.size() - 1;
        for (std::size_t at = static_cast<std::size_t>(h ^ (h >> 32)) & mask;; at = (at + 1) & mask)
            if (slots[at].latest < 0 || slots[at].effect == effect) return slots[at];
    }
    void grow() {
        std::vector<Slot> larger(2 * slots_.size());
        for (const Slot& slot : slots_)
            if (slot.latest >= 0) find(larger, slot.effect) = slot;
        slots_.swap(larger);
    }
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

struct Grid {
    std::uint8_t cell[SIDE * SIDE];
    Grid() {
        for (int c = 0; c < SIDE * SIDE; ++c) cell[c] = static_cast<std::uint8_t>(c);
    }
};
const Grid START_GRID;

// Plays a run from the grid's middle: the cells the empty cell visits, and the effect.
Box play(Code code, int length, Effect& effect) {
    Grid grid = START_GRID;
    std::uint8_t* contents = grid.cell;
    int visited[4 * 4];
    Box covered;
    int empty = ORIGIN;
    for (int k = length - 1; k >= 0; --k) {
        const int to = empty + STEP[code >> (2 * k) & 3];
        std::swap(contents[empty], contents[to]);
        empty = to;
        covered.add(empty);
        if (!covered.fits_the_board()) return covered;
        visited[k & 15] = to;  // only cells the empty cell visited can change
    }
    Box changed;
    for (int k = 0; k < std::min(length, 16); ++k)
        if (contents[visited[k]] != visited[k]) changed.add(visited[k]);
    const int width = changed.right - changed.left + 1;
    auto place = [&](int cell) {
        return (cell / SIDE - REACH - changed.top) * width + cell % SIDE - REACH - changed.left;
    };
    effect.contents = 0;
    for (int r = changed.top; r <= changed.bottom; ++r)
        for (int c = changed.left; c <= changed.right; ++c) {
            const int cell = ORIGIN + r * SIDE + c;
            effect.contents |= static_cast<std::uint64_t>(place(contents[cell])) << (4 * place(cell));
        }
    effect.box = static_cast<std::uint32_t>((changed.top + 3) | changed.bottom << 2 | (changed.left + 3) << 4 |
                                            changed.right << 6);
    return covered;
}

struct Run {
    Code code;
    int length;
};

bool stop_asked(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

// The shortest runs never to play, in order: none holds another. A run is one
// when an earlier run (shorter, or as long and first in order) that stays
// within the cells it visits has the same effect; runs are looked at only
// when both the run without its last move and without its first are played.
bool find_runs(int longest, const std::atomic<bool>* stop, std::vector<Run>& never) {
    // Each effect of a run played so far, with the boxes those runs cover.
    struct Covered {
        Box box;
        std::int32_t next;
    };
    std::vector<Covered> boxes;
    Seen seen;
    Effect effect;
    boxes.push_back({play(0, 0, effect), -1});
    seen[effect] = 0;
    std::vector<Code> played{0}, longer;  // the runs of the last length played, in order
    for (int length = 1; length <= longest; ++length) {
        longer.clear();
        const Code suffix_mask = (Code{1} << (2 * (length - 1))) - 1;
        for (const Code shorter : played) {
            if (stop_asked(stop)) return false;
            for (Code d = 0; d < 4; ++d) {
                const Code code = shorter << 2 | d;
                if (!std::binary_search(played.begin(), played.end(), code & suffix_mask)) continue;
                const Box covered = play(code, length, effect);
                if (!covered.fits_the_board()) continue;
                // A new effect is never one of an earlier run: it is added below.
                std::int32_t& latest = seen[effect];
                bool earlier = false;
                for (std::int32_t b = latest; b >= 0 && !earlier; b = boxes[b].next) earlier = boxes[b].box.within(covered);
                if (earlier) {
                    never.push_back({code, length});
                    continue;
                }
                boxes.push_back({covered, latest});
                latest = static_cast<std::int32_t>(boxes.size() - 1);
                longer.push_back(code);
            }
        }
        played.swap(longer);
    }
    return true;
}

}  // namespace

MoveFilter::MoveFilter(int longest, const std::atomic<bool>* stop) {
    std::vector<Run> never;
    whole_ = find_runs(longest, stop, never);
    if (!whole_) return;
    // A trie of the runs; each run's last node ends it.
    std::vector<std::array<std::int32_t, 4>> child(1, {-1, -1, -1, -1});
    std::vector<bool> ends(1, false);
    for (const Run& run : never) {
        std::int32_t node = 0;
        for (int k = run.length - 1; k >= 0; --k) {
            const int d = static_cast<int>(run.code >> (2 * k) & 3);
            if (child[node][d] < 0) {
                child[node][d] = static_cast<std::int32_t>(child.size());
                child.push_back({-1, -1, -1, -1});
                ends.push_back(false);
            }
            node = child[node][d];
        }
        ends[node] = true;
    }
    // Breadth first, each node's moves: to its child, or as from the longest
    // proper suffix of its path that is in the trie. No run holds another, so
    // only the node that ends a run ends one.
    std::vector<std::array<std::int32_t, 4>> go(child.size());
    std::vector<std::int32_t> suffix(child.size(), 0), order{0};
    for (std::size_t q = 0; q < order.size(); ++q) {
        const std::int32_t node = order[q];
        for (int d = 0; d < 4; ++d) {
            const std::int32_t c = child[node][d];
            if (c < 0) {
                go[node][d] = node == 0 ? 0 : go[suffix[node]][d];
                continue;
            }
            go[node][d] = c;
            suffix[c] = node == 0 ? 0 : go[suffix[node]][d];
            order.push_back(c);
        }
    }
    // The states: the nodes that end no run, numbered in that order.
    std::vector<std::uint16_t> state(child.size(), SKIP);
    std::uint16_t count = 0;
    for (const std::int32_t node : order)
        if (!ends[node]) state[node] = count++;
    next_.assign(4u * count, SKIP);
    for (const std::int32_t node : order)
        if (!ends[node])
            for (int d = 0; d < 4; ++d) next_[4u * state[node] + static_cast<unsigned>(d)] = state[go[node][d]];
}
