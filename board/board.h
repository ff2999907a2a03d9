// The logical board, the pixel geometry of its cells, and the slide rule.
// Rules only: a slide says which buttons go where, and the game places them.
#pragma once

#include <array>

constexpr int CELL_COUNT = 16;
constexpr int BOARD_LEFT = 30;
constexpr int BOARD_TOP = 54;
constexpr int CELL_PITCH = 81;  // one pixel more than a tile: neighbours stand 1 px apart
constexpr int TILE_SIZE = 80;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(Point a, Point b) { return !(a == b); }
};

struct Board {
    // Entry k (1..16) holds the tile in cell k, 0 for the empty cell; entry 0 is always 0.
    std::array<int, CELL_COUNT + 1> board_cells{};
    // Entry t: where tile t's button was put by the last deal or reset (entry 16: cell 16).
    // Moves leave entries 2..16 alone; entry 1 doubles as move_target.
    std::array<Point, CELL_COUNT + 1> tile_positions{};
    int move_target_cell = 0;
    int tile_moved = 0;

    // The target of a move shares its storage with entry 1 of tile_positions, deliberately.
    Point& move_target() { return tile_positions[1]; }
    const Point& move_target() const { return tile_positions[1]; }
};

Point cell_position(int cell);
// The cell (1..16) that holds tile, 0 for the empty cell; 0 when no cell does.
int cell_of_tile(const Board& board, int tile);

void reset_board(Board& board);
void reset_tile_positions(Board& board);
void set_move_target(Board& board);

// A tile's button put at a pixel position.
struct TilePlacement {
    int tile = 0;
    Point position;
};

// The buttons one slide moves, in the order they are placed: farthest first,
// the clicked tile last. Empty when nothing moved.
struct Slide {
    int count = 0;
    TilePlacement placed[3];
};

// Slides tile t (and the tiles between it and the empty cell) one cell toward the
// empty cell. Sets board.tile_moved to 0 or 1.
Slide move_tile(Board& board, int tile);
