// The pattern databases behind the hint's search: for groups of tiles, the
// fewest moves of the group's tiles that bring them home; and how the search
// reads them, through the board's symmetries, as partitions of the fifteen
// tiles whose groups add up to a bound on the distance home.
#pragma once

#include "board/board.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace pattern {

constexpr int CELLS = CELL_COUNT;
constexpr int EMPTY_HOME = 15;
constexpr int LARGEST_GROUP = 6;

inline int row(int cell) { return cell / 4; }
inline int column(int cell) { return cell % 4; }
inline int home(int tile) { return tile - 1; }

// The cells next to each cell, as a mask and as a list, with the direction
// from the cell to each: 0 up, 1 left, 2 right, 3 down.
struct Neighbours {
    std::uint32_t mask[CELLS];
    int count[CELLS];
    int cell[CELLS][4];
    int direction[CELLS][4];
    Neighbours();
};
extern const Neighbours NEIGHBOURS;

// The Manhattan distance of each tile from each cell, by tile and cell; 0 for the empty cell.
struct Distances {
    std::uint8_t of[CELLS][CELLS];
    Distances();
};
extern const Distances DISTANCES;

// Each partition's sum of table entries is a 5-bit field of one word, so that
// a move updates them all with one addition per lookup it changes.
constexpr int PARTITION_COUNT = 10;
constexpr int FIELD_BITS = 5;
static_assert(PARTITION_COUNT * FIELD_BITS <= 64, "the partitions' sums share one word");

// One table read through a symmetry of the board. Its number: four bits for
// each of the group's tiles, its cell in the table's view of the board.
struct Lookup {
    int table = 0;
    int size = 0;
    int tiles[LARGEST_GROUP] = {};  // the board's tiles the lookup reads, in the table's group order
    std::uint8_t view[CELLS] = {};  // cell on the board to cell in the table's view
};

// The lookups of every partition, and for each tile the lookups that read it.
struct Plans {
    static constexpr int MAX_LOOKUPS = 24;
    Lookup lookups[MAX_LOOKUPS];
    int lookup_count = 0;
    struct Read {
        int lookup;
        // The change of the lookup's number when the tile moves into the
        // empty cell, by the direction from the empty cell to the tile: the
        // same from every cell, as the view is a symmetry of the board.
        std::uint32_t step[4];
        std::uint64_t fields;  // a 1 in the field of each partition the lookup serves
    };
    struct TileReads {
        int count = 0;
        Read of[PARTITION_COUNT];
    } reading[CELLS];
    unsigned in_partition[PARTITION_COUNT] = {};  // the lookups of each partition, as a mask
    std::uint64_t fields = 0;                     // a 1 in each partition's field

    Plans();

  private:
    int find_or_add(int table, int flip, bool mirror);
};
extern const Plans PLANS;

// The tables, two bits an entry: (moves - Manhattan distance) / 2 of the
// group's tiles, at most 3.
class Tables {
public:
    // Builds them all: two seconds or so. False from whole() when *stop turned true first.
    explicit Tables(const std::atomic<bool>* stop);
    bool whole() const { return whole_; }

    // A lookup's entries, sixteen a word, and one entry.
    const std::uint32_t* entries(int lookup) const { return excess_[PLANS.lookups[lookup].table].data(); }
    static int entry(const std::uint32_t* entries, std::uint32_t index) {
        return static_cast<int>(entries[index >> 4] >> ((index & 15) << 1) & 3);
    }
    // Where a lookup reads with each tile t on cell_of_tile[t].
    static std::uint32_t start_index(int lookup, const std::uint8_t* cell_of_tile);

private:
    std::vector<std::vector<std::uint32_t>> excess_;
    bool whole_ = true;
};

}  // namespace pattern
