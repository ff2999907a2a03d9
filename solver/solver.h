// The shortest way home: a solution in single-tile steps from any board to the
// end it can reach (the ordered board, or the ordered board with 14 and 15
// exchanged), found by IDA* over additive pattern databases.
#pragma once

#include "board/board.h"
#include "board/end_position.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// The cells row by row from the top left, 0 for the empty cell.
using Cells = std::array<int, CELL_COUNT>;

// True when the cells hold each of 0..15 exactly once.
bool is_whole_board(const Cells& cells);

// The end a whole board can be slid to: END_ORDERED or END_EXCHANGED (one of
// the two, never both).
EndKind reachable_end(const Cells& cells);

// The cells of a game board (its entries 1..16).
Cells cells_of(const Board& board);

struct Solution {
    EndKind end = END_NONE;
    std::vector<int> tiles;   // each moves one cell into the empty cell, in order
    std::uint64_t nodes = 0;  // boards the search looked at
    bool stopped = false;     // the stop flag ended the search: no tiles
};

class Solver {
public:
    // Builds the pattern databases (about two seconds, 5 MB kept; 30 MB more
    // while building) and starts a helper thread for each core but one. When
    // *stop turns true meanwhile, returns within milliseconds with ready()
    // false; such a solver must not be asked to solve.
    explicit Solver(const std::atomic<bool>* stop = nullptr);
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    bool ready() const;

    // A shortest solution; the board must be whole. threads: how many threads
    // search (0: as many as the machine has cores); every count finds the same
    // way, and a search while another runs on the same solver runs on one.
    // When *stop turns true, returns within a millisecond or so with stopped
    // set and no tiles. *stop must live as long as the solver: a helper thread
    // may look at it once more just after solve returns.
    Solution solve(const Cells& cells, const std::atomic<bool>* stop = nullptr, int threads = 0) const;

    struct Databases;  // defined in solver.cpp, beside the search that reads them

private:
    std::unique_ptr<const Databases> databases_;
    std::unique_ptr<class SearchThreads> helpers_;
};

// The solver of the game's hints, one a run: its databases are built at the first call.
const Solver& shared_solver();
