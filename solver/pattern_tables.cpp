// The pattern databases and the plan by which the search reads them.
//
// A pattern database holds, for every placement of a group of tiles, the fewest
// moves of those tiles that bring them home, the other tiles being free to go
// anywhere the empty cell lets them. Groups that share no tile add up to a
// bound that never exceeds the true distance. Five such partitions of the
// fifteen tiles are used, each on the board itself and on its mirror image
// about the main diagonal (cell (r, c) to (c, r), tile t to the tile whose home
// is the mirror of t's home), which keeps the empty cell's home and the
// distance home; the search takes the largest of their ten bounds.
#include "solver/pattern_tables.h"

#include <algorithm>
#include <cstdlib>

namespace pattern {

Neighbours::Neighbours() {
    for (int c = 0; c < CELLS; ++c) {
        mask[c] = 0;
        count[c] = 0;
        const int candidates[4] = {row(c) > 0 ? c - 4 : -1, column(c) > 0 ? c - 1 : -1, column(c) < 3 ? c + 1 : -1,
                                   row(c) < 3 ? c + 4 : -1};
        for (int d = 0; d < 4; ++d)
            if (candidates[d] >= 0) {
                mask[c] |= 1u << candidates[d];
                direction[c][count[c]] = d;
                cell[c][count[c]++] = candidates[d];
            }
    }
}
const Neighbours NEIGHBOURS;

namespace {

int tile_at_home(int cell) { return cell + 1; }
int distance(int tile, int cell) {
    return std::abs(row(cell) - row(home(tile))) + std::abs(column(cell) - column(home(tile)));
}
// The board's own symmetries on cells.
int mirrored(int cell) { return column(cell) * 4 + row(cell); }  // about the main diagonal
int flipped_rows(int cell) { return (3 - row(cell)) * 4 + column(cell); }
int flipped_columns(int cell) { return row(cell) * 4 + 3 - column(cell); }

bool stop_asked(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

}  // namespace

Distances::Distances() {
    for (int t = 0; t < CELLS; ++t)
        for (int c = 0; c < CELLS; ++c) of[t][c] = static_cast<std::uint8_t>(t == 0 ? 0 : distance(t, c));
}
const Distances DISTANCES;

namespace {

// Set bits of a byte, from a table: no popcount instruction assumed.
struct BitCounts {
    std::uint8_t of[256];
    BitCounts() {
        for (int b = 0; b < 256; ++b) {
            int n = 0;
            for (int v = b; v; v &= v - 1) ++n;
            of[b] = static_cast<std::uint8_t>(n);
        }
    }
    int below(std::uint32_t used, int cell) const {
        const std::uint32_t m = used & ((1u << cell) - 1);
        return of[m & 0xFF] + of[m >> 8];
    }
};
const BitCounts BIT_COUNTS;

// The free cells reachable from start through free cells: the empty cell's region.
std::uint32_t region(std::uint32_t start, std::uint32_t free) {
    constexpr std::uint32_t LEFT_COLUMN = 0x1111, RIGHT_COLUMN = 0x8888;
    std::uint32_t r = start, before;
    do {
        before = r;
        r |= ((r << 1) & ~LEFT_COLUMN) | ((r >> 1) & ~RIGHT_COLUMN) | (r << 4) | (r >> 4);
        r &= free;
    } while (r != before);
    return r;
}

// For each mask of free cells: whether they are all connected, so that the
// empty cell's region is all of them.
struct Connected {
    std::uint8_t bits[1 << 13];
    Connected() : bits() {
        for (std::uint32_t free = 1; free < (1u << 16); ++free)
            if (region(free & (0u - free), free) == free) bits[free >> 3] |= static_cast<std::uint8_t>(1u << (free & 7));
    }
    bool operator()(std::uint32_t free) const { return bits[free >> 3] >> (free & 7) & 1; }
};
const Connected CONNECTED;

std::uint32_t region_of(std::uint32_t cell, std::uint32_t free) {
    return CONNECTED(free) ? free : region(cell, free);
}

// Placements of N distinct tiles on the 16 cells are numbered densely: the
// cells of the tiles in group order, each counted among the cells the earlier
// tiles left free, as digits of falling bases 16, 15, 14, ...
template <int N>
struct Placements {
    static constexpr std::uint32_t count() {
        std::uint32_t n = 1;
        for (int i = 0; i < N; ++i) n *= static_cast<std::uint32_t>(CELLS - i);
        return n;
    }
    // The weight of each tile's digit, by slot; 0 for NO_TILE and beyond.
    struct Weights {
        std::uint32_t of[CELLS];
        constexpr Weights() : of() {
            for (int i = 0; i < N; ++i) {
                of[i] = 1;
                for (int j = i + 1; j < N; ++j) of[i] *= static_cast<std::uint32_t>(CELLS - j);
            }
        }
    };
    static constexpr Weights WEIGHTS{};

    static std::uint32_t index(const int* cells) {
        std::uint32_t index = 0, used = 0;
        for (int i = 0; i < N; ++i) {
            index = index * static_cast<std::uint32_t>(CELLS - i) +
                    static_cast<std::uint32_t>(cells[i] - BIT_COUNTS.below(used, cells[i]));
            used |= 1u << cells[i];
        }
        return index;
    }
};

constexpr std::uint8_t NO_TILE = 15;

// The number of a placement after the tile in slot i steps from cell from to
// the neighbouring cell to; slot_at: which slot stands on each cell, or
// NO_TILE; weight: each slot's digit weight, 0 for NO_TILE. Sideways only the
// tile's own digit changes, by one. Up or down it changes by four, less one
// for each earlier tile passed over, and each later tile passed over has one
// tile fewer (or more) below it.
inline std::uint32_t after_step(std::uint32_t index, int from, int to, int i, const std::uint8_t* slot_at,
                                const std::uint32_t* weight) {
    const std::uint32_t w = weight[i];
    if (to == from + 1) return index + w;
    if (to == from - 1) return index - w;
    const int between = (to > from ? from : to) + 1;
    std::uint32_t step = 4 * w;
    for (int c = between; c < between + 3; ++c) {
        const int k = slot_at[c];
        step += k < i ? 0u - w : weight[k];
    }
    return to > from ? index + step : index - step;
}

// A table's entries: (moves - Manhattan distance) / 2 of the group's tiles;
// the moves of a group's tiles have the parity of their Manhattan distance and
// exceed it by 10 at most. Kept in two bits, as at most 3 (still a bound that
// never exceeds the true one: only 0.3 % of the block's placements have more),
// read by a sparse number, four bits for each tile's cell, so that a move
// changes one digit: 16^6 entries for six tiles, 4 MB (about 5 MB in all). The
// breadth-first search that fills a table numbers placements densely and keeps
// four bits.
int dense_entry(const std::uint8_t* entries, std::uint32_t index) {
    return (entries[index >> 1] >> ((index & 1) << 2)) & 15;
}

// Copies a table numbered densely into one numbered sparsely: the placements
// in the dense order are those of the cells in lexicographic order.
template <int N>
bool spread(const std::vector<std::uint8_t>& dense, std::vector<std::uint32_t>& sparse, const std::atomic<bool>* stop) {
    sparse.assign(std::size_t{1} << (4 * N - 4), 0);
    int cells[N];
    std::uint32_t used = 0, index = 0;
    // Depth-first through the cells of tile 0, 1, ...: each leaf is the next dense number.
    int i = 0;
    cells[0] = -1;
    while (i >= 0) {
        if (cells[i] >= 0) used &= ~(1u << cells[i]);
        do ++cells[i];
        while (cells[i] < CELLS && (used >> cells[i] & 1));
        if (cells[i] == CELLS) {
            --i;
            continue;
        }
        used |= 1u << cells[i];
        if (i + 1 < N) {
            cells[++i] = -1;
            continue;
        }
        std::uint32_t at = 0;
        for (int j = 0; j < N; ++j) at |= static_cast<std::uint32_t>(cells[j]) << (4 * j);
        sparse[at >> 4] |= static_cast<std::uint32_t>(std::min(dense_entry(dense.data(), index), 3)) << ((at & 15) << 1);
        if ((++index & 0xFFFF) == 0 && stop_asked(stop)) return false;
    }
    return true;
}


// Breadth first from home over (placement, the empty cell's region): a move of
// a group tile into the region costs one, the other tiles move for free. Each
// placement remembers which of its regions were reached as a mask of their
// cells. Each level is taken in the order of the placements' cells, so the
// masks it reaches lie close together in memory. False when *stop turned true
// before the table was whole.
template <int N>
bool build(const int* tiles, std::vector<std::uint32_t>& table, const std::atomic<bool>* stop) {
    using P = Placements<N>;
    std::vector<std::uint8_t> excess((P::count() + 1) / 2, 0);
    std::vector<std::uint16_t> reached(P::count(), 0);
    // A queued state: the group's cells, four bits each, the first tile's
    // highest (so states in the order of their placements' numbers are in
    // numeric order), above a cell of the empty cell's region.
    auto cell_shift = [](int i) { return 4 * (N - i); };
    std::vector<std::uint32_t> level, next;
    int cells[N];
    std::uint32_t first = EMPTY_HOME, occupied = 0;
    for (int i = 0; i < N; ++i) {
        cells[i] = home(tiles[i]);
        first |= static_cast<std::uint32_t>(cells[i]) << cell_shift(i);
        occupied |= 1u << cells[i];
    }
    reached[P::index(cells)] = static_cast<std::uint16_t>(region_of(1u << EMPTY_HOME, ~occupied & 0xFFFF));
    level.push_back(first);
    for (int moves = 1; !level.empty(); ++moves) {
        next.clear();
        if (stop_asked(stop)) return false;
        for (std::size_t q = 0; q < level.size(); ++q) {
            const std::uint32_t s = level[q];
            if ((q & 0x3FFF) == 0 && stop_asked(stop)) return false;
            occupied = 0;
            int manhattan = 0;
            std::uint8_t slot_at[CELLS];
            std::fill(slot_at, slot_at + CELLS, NO_TILE);
            for (int i = 0; i < N; ++i) {
                cells[i] = static_cast<int>((s >> cell_shift(i)) & 15);
                occupied |= 1u << cells[i];
                slot_at[cells[i]] = static_cast<std::uint8_t>(i);
                manhattan += DISTANCES.of[tiles[i]][cells[i]];
            }
            const std::uint32_t index = P::index(cells);
            const std::uint32_t free = ~occupied & 0xFFFF, reach = region_of(1u << (s & 15), free);
            // The successors' entries: this one's cells but tile i's, without the region's cell.
            const std::uint32_t kept = s & ~15u;
            for (int i = 0; i < N; ++i) {
                const int from = cells[i];
                std::uint32_t targets = NEIGHBOURS.mask[from] & reach;
                if (targets == 0) continue;
                const std::uint32_t left = 1u << from;
                for (; targets; targets &= targets - 1) {
                    const int to = __builtin_ctz(targets);
                    const std::uint32_t after = after_step(index, from, to, i, slot_at, P::WEIGHTS.of);
                    const std::uint32_t mask = reached[after];
                    if (mask & left) continue;
                    if (mask == 0) {
                        const int now = manhattan - DISTANCES.of[tiles[i]][from] + DISTANCES.of[tiles[i]][to];
                        excess[after >> 1] |= static_cast<std::uint8_t>(((moves - now) / 2) << ((after & 1) << 2));
                    }
                    const std::uint32_t now_reach = region_of(left, (free | left) & ~(1u << to));
                    reached[after] = static_cast<std::uint16_t>(mask | now_reach);
                    next.push_back((kept & ~(15u << cell_shift(i))) | static_cast<std::uint32_t>(to) << cell_shift(i) |
                                   static_cast<std::uint32_t>(from));
                }
            }
        }
        // A counting sort on the first three tiles' cells, 4096 buckets.
        constexpr int BUCKET_SHIFT = 4 * N - 8;
        std::vector<std::uint32_t> start((1u << 12) + 1, 0);
        for (const std::uint32_t s : next) ++start[(s >> BUCKET_SHIFT) + 1];
        for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
        level.resize(next.size());
        for (const std::uint32_t s : next) level[start[s >> BUCKET_SHIFT]++] = s;
    }
    std::vector<std::uint16_t>().swap(reached);
    return spread<N>(excess, table, stop);
}

enum { BLOCK, FIVE_RIGHT, FOUR_LEFT, COLUMN, FIVE_CORNER, FOUR_EDGE, LEFT_COLUMN, FIVE_BOTTOM, SCATTERED, TABLE_COUNT };
// The groups: a 2 x 3 block at the top left; the others fill in around it,
// or around its images, in five ways.
struct Group {
    int size;
    int tiles[6];
};
constexpr Group GROUPS[TABLE_COUNT] = {
    {6, {1, 2, 3, 5, 6, 7}}, {5, {4, 8, 11, 12, 15}}, {4, {9, 10, 13, 14}},
    {3, {4, 8, 12}},         {5, {8, 11, 12, 14, 15}}, {4, {4, 9, 10, 13}},
    {4, {1, 5, 9, 13}},      {5, {10, 11, 12, 14, 15}}, {3, {1, 5, 12}},
};

// One table read through a symmetry of the board: the value of the table's
// group on the board mapped by that symmetry. The block's table serves every
// 2 x 3 block in a corner but the empty cell's: the moves are the same on the
// flipped board, and in each the other cells are all connected at home.
enum Flip { AS_IS, ROWS, COLUMNS };  // the block at the bottom left, at the top right
struct Seen {
    int table;
    Flip flip;
    bool mirror;  // on the board's mirror image
};
// Each partition's lookups: every tile read by exactly one of them.
constexpr Seen PARTITIONS[PARTITION_COUNT][3] = {
    {{BLOCK, AS_IS, false}, {FIVE_RIGHT, AS_IS, false}, {FOUR_LEFT, AS_IS, false}},
    {{BLOCK, AS_IS, true}, {FIVE_RIGHT, AS_IS, true}, {FOUR_LEFT, AS_IS, true}},
    {{BLOCK, AS_IS, false}, {BLOCK, ROWS, false}, {COLUMN, AS_IS, false}},
    {{BLOCK, AS_IS, true}, {BLOCK, ROWS, true}, {COLUMN, AS_IS, true}},
    {{BLOCK, AS_IS, false}, {FIVE_CORNER, AS_IS, false}, {FOUR_EDGE, AS_IS, false}},
    {{BLOCK, AS_IS, true}, {FIVE_CORNER, AS_IS, true}, {FOUR_EDGE, AS_IS, true}},
    {{BLOCK, COLUMNS, false}, {LEFT_COLUMN, AS_IS, false}, {FIVE_BOTTOM, AS_IS, false}},
    {{BLOCK, COLUMNS, true}, {LEFT_COLUMN, AS_IS, true}, {FIVE_BOTTOM, AS_IS, true}},
    {{BLOCK, COLUMNS, false}, {BLOCK, ROWS, false}, {SCATTERED, AS_IS, false}},
    {{BLOCK, COLUMNS, true}, {BLOCK, ROWS, true}, {SCATTERED, AS_IS, true}},
};

int flipped(Flip flip, int cell) {
    return flip == ROWS ? flipped_rows(cell) : flip == COLUMNS ? flipped_columns(cell) : cell;
}

}  // namespace

Plans::Plans() {
    for (int p = 0; p < PARTITION_COUNT; ++p) {
        fields |= std::uint64_t{1} << (FIELD_BITS * p);
        for (const Seen& seen : PARTITIONS[p]) {
            const int l = find_or_add(seen.table, seen.flip, seen.mirror);
            in_partition[p] |= 1u << l;
            for (int j = 0; j < lookups[l].size; ++j) {
                TileReads& reads = reading[lookups[l].tiles[j]];
                int r = 0;
                while (r < reads.count && reads.of[r].lookup != l) ++r;
                if (r == reads.count) {
                    Read& read = reads.of[reads.count++];
                    read = {l, {}, 0};
                    // From cell 5 the empty cell can go every way.
                    for (int d = 0; d < 4; ++d) {
                        const int from = NEIGHBOURS.cell[5][d];
                        read.step[d] = static_cast<std::uint32_t>(lookups[l].view[5] - lookups[l].view[from]) << (4 * j);
                    }
                }
                reads.of[r].fields |= std::uint64_t{1} << (FIELD_BITS * p);
            }
        }
    }
}

int Plans::find_or_add(int table, int flip, bool mirror) {
    Lookup lookup;
    lookup.table = table;
    lookup.size = GROUPS[table].size;
    for (int c = 0; c < CELLS; ++c)
        lookup.view[c] = static_cast<std::uint8_t>(flipped(Flip(flip), mirror ? mirrored(c) : c));
    // The tile read for a group tile: the one whose home the view maps onto that tile's home.
    for (int j = 0; j < lookup.size; ++j) {
        const int cell = flipped(Flip(flip), home(GROUPS[table].tiles[j]));
        lookup.tiles[j] = tile_at_home(mirror ? mirrored(cell) : cell);
    }
    for (int l = 0; l < lookup_count; ++l)
        if (lookups[l].table == table && std::equal(lookup.view, lookup.view + CELLS, lookups[l].view)) return l;
    if (lookup_count == MAX_LOOKUPS) std::abort();  // a partition too many for the search's frames
    lookups[lookup_count] = lookup;
    return lookup_count++;
}

const Plans PLANS;

Tables::Tables(const std::atomic<bool>* stop) : excess_(TABLE_COUNT) {
    for (int t = 0; t < TABLE_COUNT && whole_; ++t) {
        const Group& group = GROUPS[t];
        switch (group.size) {
            case 6: whole_ = build<6>(group.tiles, excess_[t], stop); break;
            case 5: whole_ = build<5>(group.tiles, excess_[t], stop); break;
            case 4: whole_ = build<4>(group.tiles, excess_[t], stop); break;
            default: whole_ = build<3>(group.tiles, excess_[t], stop); break;
        }
    }
}

std::uint32_t Tables::start_index(int l, const std::uint8_t* cell_of_tile) {
    const Lookup& lookup = PLANS.lookups[l];
    std::uint32_t index = 0;
    for (int j = 0; j < lookup.size; ++j)
        index |= static_cast<std::uint32_t>(lookup.view[cell_of_tile[lookup.tiles[j]]]) << (4 * j);
    return index;
}

}  // namespace pattern
