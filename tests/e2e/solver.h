// A 15-puzzle solver and the slide rule as a player sees it, for the driver:
// plain C++ so it can be checked on its own.
#pragma once

#include <array>
#include <vector>

namespace e2e {

// Cell i (0..15, row by row from the top left) holds a tile number or 0 (empty).
using Cells = std::array<int, 16>;

Cells ordered_cells();
// The ordered board with tiles 14 and 15 exchanged.
Cells exchanged_cells();

int empty_cell(const Cells& cells);
// True when each of 0..15 stands exactly once.
bool is_permutation(const Cells& cells);
// True when start can be slid into goal.
bool reachable(const Cells& start, const Cells& goal);

// The player's slide: a tile in line with the empty cell moves toward it along
// with the tiles between. Returns false (and leaves cells alone) otherwise.
bool slide(Cells& cells, int tile);

// Tiles to click, one cell each, that bring start to goal (weighted A* with
// Manhattan distance and linear conflicts: short, not always shortest).
// Returns false when goal cannot be reached.
bool solve(const Cells& start, const Cells& goal, std::vector<int>& tiles);

// Merges runs of single steps in one direction into one click on the farthest
// tile (a two- or three-tile slide), as a quick player would.
std::vector<int> merge_slides(const Cells& start, const std::vector<int>& tiles);

}  // namespace e2e
