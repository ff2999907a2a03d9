// IDA* over additive pattern databases.
//
// A pattern database holds, for every placement of a group of tiles, the fewest
// moves of those tiles that bring them home, the other tiles being free to go
// anywhere the empty cell lets them. Groups that share no tile add up to a
// bound that never exceeds the true distance. Four such partitions of the
// fifteen tiles are used, each on the board itself and on its mirror image
// about the main diagonal (cell (r, c) to (c, r), tile t to the tile whose home
// is the mirror of t's home), which keeps the empty cell's home and the
// distance home. The search takes the largest of the eight bounds; moves that
// bring their tile closer come first.
#include "solver/solver.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int CELLS = CELL_COUNT;
constexpr int EMPTY_HOME = 15;
// No board is farther than 80 single-tile steps from its end: the search stops there.
constexpr int MAX_LENGTH = 80;

int row(int cell) { return cell / 4; }
int column(int cell) { return cell % 4; }
int home(int tile) { return tile - 1; }
int tile_at_home(int cell) { return cell + 1; }
int distance(int tile, int cell) {
    return std::abs(row(cell) - row(home(tile))) + std::abs(column(cell) - column(home(tile)));
}
// The board's own symmetries on cells.
int mirrored(int cell) { return column(cell) * 4 + row(cell); }  // about the main diagonal
int flipped_rows(int cell) { return (3 - row(cell)) * 4 + column(cell); }
int flipped_columns(int cell) { return row(cell) * 4 + 3 - column(cell); }

// The cells next to each cell, as a mask and as a list.
struct Neighbours {
    std::uint32_t mask[CELLS];
    int count[CELLS];
    int cell[CELLS][4];
    Neighbours() {
        for (int c = 0; c < CELLS; ++c) {
            mask[c] = 0;
            count[c] = 0;
            const int candidates[4] = {row(c) > 0 ? c - 4 : -1, column(c) > 0 ? c - 1 : -1,
                                       column(c) < 3 ? c + 1 : -1, row(c) < 3 ? c + 4 : -1};
            for (int n : candidates)
                if (n >= 0) {
                    mask[c] |= 1u << n;
                    cell[c][count[c]++] = n;
                }
        }
    }
};
const Neighbours NEIGHBOURS;

struct Distances {
    std::uint8_t of[CELLS][CELLS];  // by tile, cell
    Distances() {
        for (int t = 0; t < CELLS; ++t)
            for (int c = 0; c < CELLS; ++c) of[t][c] = static_cast<std::uint8_t>(t == 0 ? 0 : distance(t, c));
    }
};
const Distances DISTANCES;

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
    static constexpr int bits() {
        int b = 0;
        while ((std::uint32_t{1} << b) < count()) ++b;
        return b;
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
// changes one digit: 16^6 entries for six tiles, 4 MB. The breadth-first search
// that fills a table numbers placements densely and keeps four bits.
struct Table {
    int size = 0;
    int tiles[6] = {};
    std::vector<std::uint8_t> excess;
};

int dense_entry(const std::uint8_t* entries, std::uint32_t index) {
    return (entries[index >> 1] >> ((index & 1) << 2)) & 15;
}
int entry(const std::uint8_t* entries, std::uint32_t index) { return (entries[index >> 2] >> ((index & 3) << 1)) & 3; }
const std::uint8_t* entry_byte(const std::uint8_t* entries, std::uint32_t index) { return entries + (index >> 2); }

// Copies a table numbered densely into one numbered sparsely: the placements
// in the dense order are those of the cells in lexicographic order.
template <int N>
void spread(const std::vector<std::uint8_t>& dense, std::vector<std::uint8_t>& sparse) {
    sparse.assign(std::size_t{1} << (4 * N - 2), 0);
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
        sparse[at >> 2] |= static_cast<std::uint8_t>(std::min(dense_entry(dense.data(), index), 3) << ((at & 3) << 1));
        ++index;
    }
}

// Breadth first from home over (placement, the empty cell's region): a move of
// a group tile into the region costs one, the other tiles move for free. Each
// placement remembers which of its regions were reached as a mask of their
// cells. Each level is taken in the order of the placements' cells, so the
// masks it reaches lie close together in memory.
bool stop_asked(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

// False when *stop turned true before the table was whole.
template <int N>
bool build(Table& table, const std::atomic<bool>* stop) {
    using P = Placements<N>;
    const int* tiles = table.tiles;
    std::vector<std::uint8_t> excess((P::count() + 1) / 2, 0);
    std::vector<std::uint16_t> reached(P::count(), 0);
    // A queued state: the placement's number, the group's cells (four bits
    // each, the first tile's highest) and the empty cell's region.
    constexpr int INDEX_SHIFT = 40, CELLS_SHIFT = 16;
    auto cell_shift = [](int i) { return CELLS_SHIFT + 4 * (N - 1 - i); };
    std::vector<std::uint64_t> level, next;
    int cells[N];
    std::uint64_t first = 0;
    std::uint32_t occupied = 0;
    for (int i = 0; i < N; ++i) {
        cells[i] = home(tiles[i]);
        first |= static_cast<std::uint64_t>(cells[i]) << cell_shift(i);
        occupied |= 1u << cells[i];
    }
    const std::uint32_t home_region = region_of(1u << EMPTY_HOME, ~occupied & 0xFFFF);
    reached[P::index(cells)] = static_cast<std::uint16_t>(home_region);
    level.push_back(first | static_cast<std::uint64_t>(P::index(cells)) << INDEX_SHIFT | home_region);
    for (int moves = 1; !level.empty(); ++moves) {
        next.clear();
        if (stop_asked(stop)) return false;
        for (std::size_t q = 0; q < level.size(); ++q) {
            const std::uint64_t s = level[q];
            if ((q & 0xFFFF) == 0 && stop_asked(stop)) return false;
            const std::uint32_t index = static_cast<std::uint32_t>(s >> INDEX_SHIFT);
            const std::uint32_t reach = static_cast<std::uint32_t>(s & 0xFFFF);
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
            const std::uint32_t free = ~occupied & 0xFFFF;
            // The successors' entries: this one's cells but tile i's, without number and region.
            const std::uint64_t kept = s & ~(0xFFFFFFull << INDEX_SHIFT) & ~0xFFFFull;
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
                    next.push_back((kept & ~(15ull << cell_shift(i))) | static_cast<std::uint64_t>(after) << INDEX_SHIFT |
                                   static_cast<std::uint64_t>(to) << cell_shift(i) | now_reach);
                }
            }
        }
        // A counting sort on the placements' numbers, 4096 buckets.
        constexpr int BUCKET_SHIFT = INDEX_SHIFT + (P::bits() > 12 ? P::bits() - 12 : 0);
        std::vector<std::uint32_t> start((1u << 12) + 1, 0);
        for (const std::uint64_t s : next) ++start[(s >> BUCKET_SHIFT) + 1];
        for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
        level.resize(next.size());
        for (const std::uint64_t s : next) level[start[s >> BUCKET_SHIFT]++] = s;
    }
    std::vector<std::uint16_t>().swap(reached);
    spread<N>(excess, table.excess);
    return true;
}

enum { BLOCK, FIVE_RIGHT, FOUR_LEFT, COLUMN, FIVE_CORNER, FOUR_EDGE, LEFT_COLUMN, FIVE_BOTTOM, TABLE_COUNT };
// The groups: a 2 x 3 block at the top left; the others fill in around it,
// or around its images, in four ways.
struct Group {
    int size;
    int tiles[6];
};
constexpr Group GROUPS[TABLE_COUNT] = {
    {6, {1, 2, 3, 5, 6, 7}}, {5, {4, 8, 11, 12, 15}}, {4, {9, 10, 13, 14}},
    {3, {4, 8, 12}},         {5, {8, 11, 12, 14, 15}}, {4, {4, 9, 10, 13}},
    {4, {1, 5, 9, 13}},      {5, {10, 11, 12, 14, 15}},
};

// One table read through a symmetry of the board: the value of the table's
// group on the board mapped by that symmetry. The block's table serves every
// 2 x 3 block in a corner but the empty cell's: the moves are the same on the
// flipped board, and in each the other cells are all connected at home.
enum Flip { AS_IS, ROWS, COLUMNS };  // the block at the bottom left, at the top right
struct Lookup {
    int table;
    Flip flip;
    bool mirror;  // on the board's mirror image
};
constexpr int PARTITION_COUNT = 8;  // at most 8: their sums are the bytes of one word
// Each partition's lookups: every tile read by exactly one of them.
constexpr Lookup PARTITIONS[PARTITION_COUNT][3] = {
    {{BLOCK, AS_IS, false}, {FIVE_RIGHT, AS_IS, false}, {FOUR_LEFT, AS_IS, false}},
    {{BLOCK, AS_IS, true}, {FIVE_RIGHT, AS_IS, true}, {FOUR_LEFT, AS_IS, true}},
    {{BLOCK, AS_IS, false}, {BLOCK, ROWS, false}, {COLUMN, AS_IS, false}},
    {{BLOCK, AS_IS, true}, {BLOCK, ROWS, true}, {COLUMN, AS_IS, true}},
    {{BLOCK, AS_IS, false}, {FIVE_CORNER, AS_IS, false}, {FOUR_EDGE, AS_IS, false}},
    {{BLOCK, AS_IS, true}, {FIVE_CORNER, AS_IS, true}, {FOUR_EDGE, AS_IS, true}},
    {{BLOCK, COLUMNS, false}, {LEFT_COLUMN, AS_IS, false}, {FIVE_BOTTOM, AS_IS, false}},
    {{BLOCK, COLUMNS, true}, {LEFT_COLUMN, AS_IS, true}, {FIVE_BOTTOM, AS_IS, true}},
};
constexpr int MAX_LOOKUPS = 3 * PARTITION_COUNT;

// The lookups as the search reads them: which tiles, at which cells of the table's view.
struct LookupPlan {
    int table = 0;
    int size = 0;
    int tiles[6] = {};
    std::uint8_t view[CELLS] = {};  // cell on the board to cell in the table's view
};

int flipped(Flip flip, int cell) {
    return flip == ROWS ? flipped_rows(cell) : flip == COLUMNS ? flipped_columns(cell) : cell;
}

struct Plans {
    LookupPlan of[MAX_LOOKUPS];
    int count = 0;
    // The lookups that read a tile, which of their tiles it is, and the
    // partitions they serve as a byte 1 in those partitions' bytes.
    struct Read {
        int lookup, slot;
        std::uint64_t partitions;
    };
    struct TileReads {
        int count = 0;
        Read of[2 * PARTITION_COUNT];
    } reading[CELLS];
    unsigned in_partition[PARTITION_COUNT] = {};  // the lookups of each partition, as a mask

    Plans() {
        for (int p = 0; p < PARTITION_COUNT; ++p)
            for (const Lookup& lookup : PARTITIONS[p]) {
                const int l = find_or_add(lookup);
                for (int j = 0; j < of[l].size; ++j) {
                    TileReads& reads = reading[of[l].tiles[j]];
                    int r = 0;
                    while (r < reads.count && reads.of[r].lookup != l) ++r;
                    if (r == reads.count) reads.of[reads.count++] = {l, j, 0};
                    reads.of[r].partitions |= std::uint64_t{1} << (8 * p);
                    in_partition[p] |= 1u << l;
                }
            }
    }

    int find_or_add(const Lookup& lookup) {
        LookupPlan plan;
        plan.table = lookup.table;
        plan.size = GROUPS[lookup.table].size;
        for (int c = 0; c < CELLS; ++c)
            plan.view[c] = static_cast<std::uint8_t>(flipped(lookup.flip, lookup.mirror ? mirrored(c) : c));
        // The tile read for a group tile: the one whose home the view maps onto that tile's home.
        for (int j = 0; j < plan.size; ++j) {
            const int cell = flipped(lookup.flip, home(GROUPS[lookup.table].tiles[j]));
            plan.tiles[j] = tile_at_home(lookup.mirror ? mirrored(cell) : cell);
        }
        for (int l = 0; l < count; ++l)
            if (of[l].table == plan.table && std::equal(plan.view, plan.view + CELLS, of[l].view)) return l;
        of[count] = plan;
        return count++;
    }
};
const Plans PLANS;

}  // namespace

struct Solver::Databases {
    Table tables[TABLE_COUNT];
    bool whole = true;

    explicit Databases(const std::atomic<bool>* stop) {
        for (int t = 0; t < TABLE_COUNT && whole; ++t) {
            Table& table = tables[t];
            table.size = GROUPS[t].size;
            std::copy(GROUPS[t].tiles, GROUPS[t].tiles + table.size, table.tiles);
            switch (table.size) {
                case 6: whole = build<6>(table, stop); break;
                case 5: whole = build<5>(table, stop); break;
                case 4: whole = build<4>(table, stop); break;
                default: whole = build<3>(table, stop); break;
            }
        }
    }

    // Each lookup's table entries.
    const std::uint8_t* entries(int l) const { return tables[PLANS.of[l].table].excess.data(); }
};

namespace {

// Where a lookup reads with each tile t on cell_of_tile[t].
std::uint32_t start_index(int l, const std::uint8_t* cell_of_tile) {
    const LookupPlan& plan = PLANS.of[l];
    std::uint32_t index = 0;
    for (int j = 0; j < plan.size; ++j) index |= static_cast<std::uint32_t>(plan.view[cell_of_tile[plan.tiles[j]]]) << (4 * j);
    return index;
}

// Where a lookup reads once its j-th tile has stepped from one board cell to another.
std::uint32_t stepped(const LookupPlan& plan, std::uint32_t index, int j, int from_cell, int to_cell) {
    return index + (static_cast<std::uint32_t>(plan.view[to_cell] - plan.view[from_cell]) << (4 * j));
}

// One search: the board and, for each board on the way to it, where each
// lookup reads, its value and each partition's sum, kept up to date move by move.
class Search {
public:
    Search(const Solver::Databases& db, const Cells& start, const std::atomic<bool>* stop) : stop_(stop) {
        std::uint8_t cell_of[CELLS];
        for (int c = 0; c < CELLS; ++c) {
            board_[c] = static_cast<std::uint8_t>(start[c]);
            cell_of[start[c]] = static_cast<std::uint8_t>(c);
        }
        empty_ = cell_of[0];
        Frame& first = frames_[0];
        for (int t = 1; t < CELLS; ++t) first.manhattan += DISTANCES.of[t][cell_of[t]];
        for (int l = 0; l < PLANS.count; ++l) {
            entries_[l] = db.entries(l);
            first.index[l] = start_index(l, cell_of);
            first.value[l] = static_cast<std::uint8_t>(entry(entries_[l], first.index[l]));
        }
        for (int p = 0; p < PARTITION_COUNT; ++p)
            for (unsigned m = PLANS.in_partition[p]; m; m &= m - 1)
                first.sums += std::uint64_t{first.value[__builtin_ctz(m)]} << (8 * p);
    }

    Solution run() {
        Solution solution;
        const Frame& first = frames_[0];
        int largest = 0;
        for (int p = 0; p < PARTITION_COUNT; ++p) largest = std::max(largest, static_cast<int>(first.sums >> (8 * p) & 0xFF));
        for (bound_ = first.manhattan + 2 * largest; first.manhattan != 0 && bound_ <= MAX_LENGTH; bound_ += 2) {
            if (step(0, empty_, -1)) {
                if (!stopped_) solution.tiles.assign(path_, path_ + bound_);
                break;
            }
        }
        solution.stopped = stopped_;
        solution.nodes = nodes_;
        return solution;
    }

private:
    // What the search keeps of each board on the way: each partition's sum of
    // excess is a byte of sums (below 128, so bytes never carry into each other).
    struct Frame {
        std::uint32_t index[MAX_LOOKUPS];
        std::uint8_t value[MAX_LOOKUPS];
        std::uint64_t sums;
        int manhattan;
    };
    static constexpr std::uint64_t BYTES = ~std::uint64_t{0} / 0xFF >> (8 * (8 - PARTITION_COUNT));  // a 1 in each

    // Tries every move from the empty cell but the one back; true once home is
    // reached. The tables are read for all moves at once, so that the reads
    // from memory overlap.
    bool step(int moves, int empty, int came_from) {
        const Frame& here = frames_[moves];
        struct Move {
            int from, tile;
            std::uint32_t index[2 * PARTITION_COUNT];  // by the tile's reads
        } next[4];  // four only from the start
        // Moves that bring their tile closer to home come first: the last
        // iteration then meets home sooner.
        int count = 0, closer = 0;
        for (int k = 0; k < NEIGHBOURS.count[empty]; ++k) {
            const int from = NEIGHBOURS.cell[empty][k];
            if (from == came_from) continue;
            const int tile = board_[from];
            Move& move = next[count];
            if (DISTANCES.of[tile][empty] < DISTANCES.of[tile][from]) {
                next[count] = next[closer];
                Move& front = next[closer++];
                front.from = from;
                front.tile = tile;
            } else {
                move.from = from;
                move.tile = tile;
            }
            ++count;
        }
        for (int k = 0; k < count; ++k) {
            Move& move = next[k];
            const auto& reads = PLANS.reading[move.tile];
            for (int r = 0; r < reads.count; ++r) {
                const int l = reads.of[r].lookup;
                move.index[r] = stepped(PLANS.of[l], here.index[l], reads.of[r].slot, move.from, empty);
                __builtin_prefetch(entry_byte(entries_[l], move.index[r]));
            }
        }
        nodes_ += static_cast<std::uint64_t>(count);
        // The flag is read every few thousand boards: well under a millisecond apart.
        if ((nodes_ & ~std::uint64_t{0xFFF}) != ((nodes_ - count) & ~std::uint64_t{0xFFF}) && stop_asked(stop_)) {
            stopped_ = true;
            return true;
        }
        Frame& after = frames_[moves + 1];
        for (int k = 0; k < count; ++k) {
            const Move& move = next[k];
            const int from = move.from, tile = move.tile;
            const int manhattan = here.manhattan + DISTANCES.of[tile][empty] - DISTANCES.of[tile][from];
            // The bound allows each partition's sum up to allowed / 2.
            const int allowed = bound_ - moves - 1 - manhattan;
            if (allowed < 0) continue;
            // Each partition's sum changes by the change of the one lookup in it
            // that reads the tile: -1, 0 or +1, added here plus one, less one after.
            const auto& reads = PLANS.reading[tile];
            int fresh[2 * PARTITION_COUNT];
            std::uint64_t sums = here.sums - BYTES;
            for (int r = 0; r < reads.count; ++r) {
                const int l = reads.of[r].lookup;
                fresh[r] = entry(entries_[l], move.index[r]);
                sums += static_cast<std::uint64_t>(fresh[r] + 1 - here.value[l]) * reads.of[r].partitions;
            }
            // A byte above allowed / 2 reaches 128 once 127 - allowed / 2 is added.
            if ((sums + static_cast<std::uint64_t>(127 - allowed / 2) * BYTES) & (BYTES << 7)) continue;
            path_[moves] = static_cast<std::uint8_t>(tile);
            if (manhattan == 0) return true;

            after = here;
            for (int r = 0; r < reads.count; ++r) {
                const int l = reads.of[r].lookup;
                after.index[l] = move.index[r];
                after.value[l] = static_cast<std::uint8_t>(fresh[r]);
            }
            after.sums = sums;
            after.manhattan = manhattan;
            board_[empty] = static_cast<std::uint8_t>(tile);
            board_[from] = 0;
            const bool home = step(moves + 1, from, empty);
            board_[from] = static_cast<std::uint8_t>(tile);
            board_[empty] = 0;
            if (home) return true;
        }
        return false;
    }

    const std::atomic<bool>* stop_;
    bool stopped_ = false;
    const std::uint8_t* entries_[MAX_LOOKUPS] = {};
    std::uint8_t board_[CELLS];
    int empty_ = 0;
    Frame frames_[MAX_LENGTH + 1] = {};
    int bound_ = 0;
    std::uint64_t nodes_ = 0;
    std::uint8_t path_[MAX_LENGTH] = {};
};

}  // namespace

bool is_whole_board(const Cells& cells) {
    unsigned seen = 0;
    for (int v : cells) {
        if (v < 0 || v >= CELLS || (seen >> v & 1)) return false;
        seen |= 1u << v;
    }
    return true;
}

EndKind reachable_end(const Cells& cells) {
    // A move swaps the empty cell with a neighbour: it flips the parity of the
    // arrangement (the empty cell counted as 16) and of the empty cell's distance home.
    int inversions = 0, empty = 0;
    for (int i = 0; i < CELLS; ++i) {
        if (cells[i] == 0) empty = i;
        for (int j = i + 1; j < CELLS; ++j)
            inversions += (cells[i] == 0 ? CELLS : cells[i]) > (cells[j] == 0 ? CELLS : cells[j]);
    }
    const int empty_distance = (3 - row(empty)) + (3 - column(empty));
    return (inversions + empty_distance) % 2 == 0 ? END_ORDERED : END_EXCHANGED;
}

Cells cells_of(const Board& board) {
    Cells cells;
    std::copy(board.board_cells.begin() + 1, board.board_cells.end(), cells.begin());
    return cells;
}

Solver::Solver(const std::atomic<bool>* stop) : databases_(new Databases(stop)) {
    if (!databases_->whole) databases_.reset();
}

bool Solver::ready() const { return databases_ != nullptr; }

const Solver& shared_solver() {
    static const Solver solver;
    return solver;
}

Solver::~Solver() = default;

Solution Solver::solve(const Cells& cells, const std::atomic<bool>* stop, int /*threads*/) const {
    // The exchanged end is the ordered one with 14 and 15 renamed: solve the
    // renamed board and rename the tiles of the answer back.
    const EndKind end = reachable_end(cells);
    auto rename = [end](int tile) { return end == END_EXCHANGED && tile >= 14 ? 29 - tile : tile; };
    Cells start;
    for (int c = 0; c < CELLS; ++c) start[c] = rename(cells[c]);
    Search search(*databases_, start, stop);
    Solution solution = search.run();
    solution.end = end;
    for (int& tile : solution.tiles) tile = rename(tile);
    return solution;
}
