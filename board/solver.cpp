// IDA* over additive pattern databases.
//
// A pattern database holds, for every placement of a group of tiles, the fewest
// moves of those tiles that bring them home, the other tiles being free to go
// anywhere the empty cell lets them. Groups that share no tile add up to a
// bound that never exceeds the true distance. Two such partitions of the
// fifteen tiles are used, each on the board itself and on its mirror image
// about the main diagonal (cell (r, c) to (c, r), tile t to the tile whose home
// is the mirror of t's home), which keeps the empty cell's home and the
// distance home. The search takes the largest of the four bounds.
#include "board/solver.h"

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
int flipped(int cell) { return (3 - row(cell)) * 4 + column(cell); }  // top row to bottom row

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

// A table's entries: (moves - Manhattan distance) / 2 of the group's tiles, four
// bits each. The moves of a group's tiles have the parity of their Manhattan
// distance, and exceed it by 24 at most.
struct Table {
    int size = 0;
    int tiles[6] = {};
    std::vector<std::uint8_t> excess;

    int at(std::uint32_t index) const { return (excess[index >> 1] >> ((index & 1) << 2)) & 15; }
};

// Breadth first from home over (placement, the empty cell's region): a move of
// a group tile into the region costs one, the other tiles move for free. Each
// placement remembers which of its regions were reached as a mask of their
// cells. Each level is taken in the order of the placements' cells, so the
// masks it reaches lie close together in memory.
template <int N>
void build(Table& table) {
    using P = Placements<N>;
    const int* tiles = table.tiles;
    table.excess.assign((P::count() + 1) / 2, 0);
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
        for (const std::uint64_t s : level) {
            const std::uint32_t index = static_cast<std::uint32_t>(s >> INDEX_SHIFT);
            const std::uint32_t reach = static_cast<std::uint32_t>(s & 0xFFFF);
            occupied = 0;
            std::uint8_t slot_at[CELLS];
            std::fill(slot_at, slot_at + CELLS, NO_TILE);
            for (int i = 0; i < N; ++i) {
                cells[i] = static_cast<int>((s >> cell_shift(i)) & 15);
                occupied |= 1u << cells[i];
                slot_at[cells[i]] = static_cast<std::uint8_t>(i);
            }
            const std::uint32_t free = ~occupied & 0xFFFF;
            for (int i = 0; i < N; ++i) {
                const int from = cells[i];
                const std::uint32_t left = 1u << from;
                for (std::uint32_t targets = NEIGHBOURS.mask[from] & reach; targets; targets &= targets - 1) {
                    const int to = __builtin_ctz(targets);
                    const std::uint32_t after = after_step(index, from, to, i, slot_at, P::WEIGHTS.of);
                    const std::uint32_t mask = reached[after];
                    if (mask & left) continue;
                    if (mask == 0) {
                        int manhattan = DISTANCES.of[tiles[i]][to];
                        for (int j = 0; j < N; ++j)
                            if (j != i) manhattan += DISTANCES.of[tiles[j]][cells[j]];
                        table.excess[after >> 1] |=
                            static_cast<std::uint8_t>(((moves - manhattan) / 2) << ((after & 1) << 2));
                    }
                    const std::uint32_t now_reach = region_of(left, (free | left) & ~(1u << to));
                    reached[after] = static_cast<std::uint16_t>(mask | now_reach);
                    next.push_back((s & ~(0xFFFFFFull << INDEX_SHIFT) & ~(15ull << cell_shift(i)) & ~0xFFFFull) |
                                   static_cast<std::uint64_t>(after) << INDEX_SHIFT |
                                   static_cast<std::uint64_t>(to) << cell_shift(i) | now_reach);
                }
            }
        }
        // A counting sort on the placements' numbers, 4096 buckets.
        constexpr int BUCKET_SHIFT = INDEX_SHIFT + 23 - 12;
        std::vector<std::uint32_t> start((1u << 12) + 1, 0);
        for (const std::uint64_t s : next) ++start[(s >> BUCKET_SHIFT) + 1];
        for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
        level.resize(next.size());
        for (const std::uint64_t s : next) level[start[s >> BUCKET_SHIFT]++] = s;
    }
}

enum { BLOCK, FIVE_RIGHT, FOUR_LEFT, COLUMN, FIVE_CORNER, FOUR_EDGE, TABLE_COUNT };
// The groups: a 2 x 3 block at the top left; the others fill in below and to
// the right of it in three ways.
struct Group {
    int size;
    int tiles[6];
};
constexpr Group GROUPS[TABLE_COUNT] = {
    {6, {1, 2, 3, 5, 6, 7}}, {5, {4, 8, 11, 12, 15}}, {4, {9, 10, 13, 14}},
    {3, {4, 8, 12}},         {5, {8, 11, 12, 14, 15}}, {4, {4, 9, 10, 13}},
};

// One table read through a symmetry of the board: the value of the table's
// group on the board mapped by that symmetry.
struct Lookup {
    int table;
    bool flip;    // the block at the bottom left: the top-left block's table, rows flipped
    bool mirror;  // on the board's mirror image
};
constexpr int PARTITION_COUNT = 6;
// Each partition's lookups: every tile read by exactly one of them.
constexpr Lookup PARTITIONS[PARTITION_COUNT][3] = {
    {{BLOCK, false, false}, {FIVE_RIGHT, false, false}, {FOUR_LEFT, false, false}},
    {{BLOCK, false, true}, {FIVE_RIGHT, false, true}, {FOUR_LEFT, false, true}},
    {{BLOCK, false, false}, {BLOCK, true, false}, {COLUMN, false, false}},
    {{BLOCK, false, true}, {BLOCK, true, true}, {COLUMN, false, true}},
    {{BLOCK, false, false}, {FIVE_CORNER, false, false}, {FOUR_EDGE, false, false}},
    {{BLOCK, false, true}, {FIVE_CORNER, false, true}, {FOUR_EDGE, false, true}},
};
constexpr int MAX_LOOKUPS = 3 * PARTITION_COUNT;

// The lookups as the search reads them: which tiles, at which cells of the table's view.
struct LookupPlan {
    int table = 0;
    int size = 0;
    int tiles[6] = {};
    std::uint32_t weight[16] = {};  // of each tile's digit in the table's numbering; 0 past the tiles
    std::uint8_t view[CELLS] = {};  // cell on the board to cell in the table's view
};

struct Plans {
    LookupPlan of[MAX_LOOKUPS];
    int count = 0;
    int in_partition[PARTITION_COUNT][CELLS] = {};  // the lookup that reads a tile, by partition
    // The lookups that read a tile, and which of their tiles it is.
    struct Read {
        int lookup, slot;
    };
    struct TileReads {
        int count = 0;
        Read of[2 * PARTITION_COUNT];
    } reading[CELLS];

    Plans() {
        for (int p = 0; p < PARTITION_COUNT; ++p)
            for (const Lookup& lookup : PARTITIONS[p]) {
                const int l = find_or_add(lookup);
                for (int j = 0; j < of[l].size; ++j) {
                    const int tile = of[l].tiles[j];
                    in_partition[p][tile] = l;
                    TileReads& reads = reading[tile];
                    bool known = false;
                    for (int r = 0; r < reads.count; ++r) known |= reads.of[r].lookup == l;
                    if (!known) reads.of[reads.count++] = {l, j};
                }
            }
    }

    int find_or_add(const Lookup& lookup) {
        LookupPlan plan;
        plan.table = lookup.table;
        plan.size = GROUPS[lookup.table].size;
        for (int c = 0; c < CELLS; ++c) {
            int view = lookup.mirror ? mirrored(c) : c;
            if (lookup.flip) view = flipped(view);
            plan.view[c] = static_cast<std::uint8_t>(view);
        }
        // The tile read for a group tile: the one whose home the view maps onto that tile's home.
        for (int j = 0; j < plan.size; ++j) {
            int cell = home(GROUPS[lookup.table].tiles[j]);
            if (lookup.flip) cell = flipped(cell);
            if (lookup.mirror) cell = mirrored(cell);
            plan.tiles[j] = tile_at_home(cell);
            plan.weight[j] = 1;
            for (int k = j + 1; k < plan.size; ++k) plan.weight[j] *= static_cast<std::uint32_t>(CELLS - k);
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

    Databases() {
        for (int t = 0; t < TABLE_COUNT; ++t) {
            Table& table = tables[t];
            table.size = GROUPS[t].size;
            std::copy(GROUPS[t].tiles, GROUPS[t].tiles + table.size, table.tiles);
            switch (table.size) {
                case 6: build<6>(table); break;
                case 5: build<5>(table); break;
                case 4: build<4>(table); break;
                default: build<3>(table); break;
            }
        }
    }

    const std::uint8_t* address(int l, std::uint32_t index) const {
        return &tables[PLANS.of[l].table].excess[index >> 1];
    }
    int at(int l, std::uint32_t index) const { return tables[PLANS.of[l].table].at(index); }
};

namespace {

// The cells a lookup reads, in its table's view, and where it reads.
struct Reading {
    std::uint8_t cells[6];
    std::uint8_t slot_at[CELLS];  // by cell of the view: which of the tiles stands there, or NO_TILE
    std::uint32_t index;

    void move(int slot, int to) {
        slot_at[cells[slot]] = NO_TILE;
        cells[slot] = static_cast<std::uint8_t>(to);
        slot_at[to] = static_cast<std::uint8_t>(slot);
    }
};

Reading start_reading(int l, const std::uint8_t* cell_of_tile) {
    const LookupPlan& plan = PLANS.of[l];
    Reading reading{};
    std::fill(reading.slot_at, reading.slot_at + CELLS, NO_TILE);
    int cells[6];
    for (int j = 0; j < plan.size; ++j) {
        cells[j] = plan.view[cell_of_tile[plan.tiles[j]]];
        reading.cells[j] = static_cast<std::uint8_t>(cells[j]);
        reading.slot_at[cells[j]] = static_cast<std::uint8_t>(j);
    }
    switch (plan.size) {
        case 6: reading.index = Placements<6>::index(cells); break;
        case 5: reading.index = Placements<5>::index(cells); break;
        case 4: reading.index = Placements<4>::index(cells); break;
        default: reading.index = Placements<3>::index(cells); break;
    }
    return reading;
}

// Where a lookup reads once its j-th tile has stepped to the board cell to.
std::uint32_t stepped(const LookupPlan& plan, const Reading& reading, int j, int to_cell) {
    return after_step(reading.index, reading.cells[j], plan.view[to_cell], j, reading.slot_at, plan.weight);
}

// One search: the board, where each tile stands, and each lookup's value, kept
// up to date move by move.
class Search {
public:
    Search(const Solver::Databases& db, const Cells& start) : db_(db) {
        for (int c = 0; c < CELLS; ++c) {
            board_[c] = static_cast<std::uint8_t>(start[c]);
            cell_of_[start[c]] = static_cast<std::uint8_t>(c);
        }
        for (int t = 1; t < CELLS; ++t) manhattan_ += DISTANCES.of[t][cell_of_[t]];
        for (int l = 0; l < PLANS.count; ++l) {
            reading_[l] = start_reading(l, cell_of_);
            value_[l] = db_.at(l, reading_[l].index);
        }
        for (int p = 0; p < PARTITION_COUNT; ++p) {
            unsigned lookups = 0;
            for (int t = 1; t < CELLS; ++t) lookups |= 1u << PLANS.in_partition[p][t];
            for (; lookups; lookups &= lookups - 1) sum_[p] += value_[__builtin_ctz(lookups)];
        }

    }

    Solution run() {
        Solution solution;
        int largest = 0;
        for (int p = 0; p < PARTITION_COUNT; ++p) largest = std::max(largest, sum_[p]);
        for (bound_ = manhattan_ + 2 * largest; manhattan_ != 0 && bound_ <= MAX_LENGTH; bound_ += 2) {
            if (step(0, cell_of_[0], -1)) {
                solution.tiles.assign(path_, path_ + bound_);
                break;
            }
        }
        solution.nodes = nodes_;
        return solution;
    }

private:
    // Tries every move from the empty cell but the one back; true once home is
    // reached. The tables are read for all moves at once, so that the reads
    // from memory overlap.
    bool step(int moves, int empty, int came_from) {
        struct Move {
            int from, tile;
            std::uint32_t index[MAX_LOOKUPS];
        } next[4];  // four only from the start
        // Moves that bring their tile closer to home come first: the last
        // iteration then meets home sooner.
        int count = 0;
        for (int closer = 1; closer >= 0; --closer)
            for (int k = 0; k < NEIGHBOURS.count[empty]; ++k) {
                const int from = NEIGHBOURS.cell[empty][k];
                const int tile = board_[from];
                if (from == came_from || (DISTANCES.of[tile][empty] < DISTANCES.of[tile][from]) != (closer == 1)) continue;
                next[count].from = from;
                next[count++].tile = tile;
            }
        for (int k = 0; k < count; ++k) {
            Move& move = next[k];
            const auto& reads = PLANS.reading[move.tile];
            for (int r = 0; r < reads.count; ++r) {
                const int l = reads.of[r].lookup;
                move.index[l] = stepped(PLANS.of[l], reading_[l], reads.of[r].slot, empty);
                __builtin_prefetch(db_.address(l, move.index[l]));
            }
        }
        nodes_ += static_cast<std::uint64_t>(count);
        for (int k = 0; k < count; ++k) {
            const Move& move = next[k];
            const int from = move.from, tile = move.tile;
            const int manhattan = manhattan_ + DISTANCES.of[tile][empty] - DISTANCES.of[tile][from];
            // The largest sum of excess the bound allows after this move.
            const int allowed = bound_ - moves - 1 - manhattan;
            int fresh[MAX_LOOKUPS];
            unsigned read = 0;
            int sums[PARTITION_COUNT];
            bool pruned = false;
            for (int p = 0; p < PARTITION_COUNT && !pruned; ++p) {
                const int l = PLANS.in_partition[p][tile];
                if (!(read >> l & 1)) {
                    fresh[l] = db_.at(l, move.index[l]);
                    read |= 1u << l;
                }
                sums[p] = sum_[p] - value_[l] + fresh[l];
                pruned = 2 * sums[p] > allowed;
            }
            if (pruned) continue;
            path_[moves] = static_cast<std::uint8_t>(tile);
            if (manhattan == 0) return true;

            // Every partition was read: each lookup that reads the tile has its new value.
            const auto& reads = PLANS.reading[tile];
            int saved_values[2 * PARTITION_COUNT], saved_sums[PARTITION_COUNT];
            std::uint32_t saved_index[2 * PARTITION_COUNT];
            for (int r = 0; r < reads.count; ++r) {
                const int l = reads.of[r].lookup;
                saved_values[r] = value_[l];
                saved_index[r] = reading_[l].index;
                value_[l] = fresh[l];
                reading_[l].index = move.index[l];
                reading_[l].move(reads.of[r].slot, PLANS.of[l].view[empty]);
            }
            std::copy(sum_, sum_ + PARTITION_COUNT, saved_sums);
            std::copy(sums, sums + PARTITION_COUNT, sum_);
            const int saved_manhattan = manhattan_;
            manhattan_ = manhattan;
            board_[empty] = static_cast<std::uint8_t>(tile);
            board_[from] = 0;

            if (step(moves + 1, from, empty)) return true;

            board_[from] = static_cast<std::uint8_t>(tile);
            board_[empty] = 0;
            manhattan_ = saved_manhattan;
            std::copy(saved_sums, saved_sums + PARTITION_COUNT, sum_);
            for (int r = 0; r < reads.count; ++r) {
                const int l = reads.of[r].lookup;
                value_[l] = saved_values[r];
                reading_[l].index = saved_index[r];
                reading_[l].move(reads.of[r].slot, PLANS.of[l].view[from]);
            }
        }
        return false;
    }

    const Solver::Databases& db_;
    std::uint8_t board_[CELLS];
    std::uint8_t cell_of_[CELLS];  // by tile; entry 0: the empty cell
    int manhattan_ = 0;
    Reading reading_[MAX_LOOKUPS] = {};
    int value_[MAX_LOOKUPS] = {};
    int sum_[PARTITION_COUNT] = {};
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

Solver::Solver() : databases_(new Databases) {}

const Solver& shared_solver() {
    static const Solver solver;
    return solver;
}

Solver::~Solver() = default;

Solution Solver::solve(const Cells& cells) const {
    // The exchanged end is the ordered one with 14 and 15 renamed: solve the
    // renamed board and rename the tiles of the answer back.
    const EndKind end = reachable_end(cells);
    auto rename = [end](int tile) { return end == END_EXCHANGED && tile >= 14 ? 29 - tile : tile; };
    Cells start;
    for (int c = 0; c < CELLS; ++c) start[c] = rename(cells[c]);
    Search search(*databases_, start);
    Solution solution = search.run();
    solution.end = end;
    for (int& tile : solution.tiles) tile = rename(tile);
    return solution;
}
