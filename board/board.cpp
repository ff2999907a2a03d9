// The board array, cell geometry and the slide rule.
#include "board/board.h"

namespace {

constexpr Point RIGHT{CELL_PITCH, 0};
constexpr Point LEFT{-CELL_PITCH, 0};
constexpr Point DOWN{0, CELL_PITCH};
constexpr Point UP{0, -CELL_PITCH};

Point offset(Point p, Point by, int times = 1) { return {p.x + by.x * times, p.y + by.y * times}; }

bool is_row_end(int cell) { return cell % 4 == 0; }        // cells 4, 8, 12, 16
bool is_row_start(int cell) { return cell % 4 == 1; }      // cells 1, 5, 9, 13
int column_of(int cell) { return (cell - 1) % 4; }

// One direction of the slide rule: the step between cell numbers, the pixel
// offset of one cell, and which clicked cells may slide two or three tiles.
struct Direction {
    int step;
    Point pixels;
    bool (*two_tiles_from)(int cell);
    bool (*three_tiles_from)(int cell);
};

const Direction SLIDE_ORDER[] = {
    {+1, RIGHT, [](int k) { return column_of(k) <= 1; }, [](int k) { return column_of(k) == 0; }},
    {-1, LEFT, [](int k) { return column_of(k) >= 2; }, [](int k) { return column_of(k) == 3; }},
    {+4, DOWN, [](int k) { return k <= 8; }, [](int k) { return k <= 4; }},
    {-4, UP, [](int k) { return k >= 9; }, [](int k) { return k >= 13; }},
};

void place(Slide& slide, int tile, Point position) { slide.placed[slide.count++] = {tile, position}; }

// The neighbour the clicked tile steps into, or 0. Right and left never cross a row end:
// a tile at a row end with the next row's first cell empty stops the single-step test.
int single_step_target(const Board& board, int k) {
    const auto& cells = board.board_cells;
    if (k <= 15 && cells[k + 1] == 0) return is_row_end(k) ? 0 : k + 1;
    if (k <= 12 && cells[k + 4] == 0) return k + 4;
    if (k >= 2 && cells[k - 1] == 0) return is_row_start(k) ? 0 : k - 1;
    if (k >= 5 && cells[k - 4] == 0) return k - 4;
    return 0;
}

}  // namespace

int cell_of_tile(const Board& board, int tile) {
    for (int k = 1; k <= CELL_COUNT; ++k)
        if (board.board_cells[k] == tile) return k;
    return 0;
}

Point cell_position(int cell) {
    return {BOARD_LEFT + CELL_PITCH * ((cell - 1) % 4), BOARD_TOP + CELL_PITCH * ((cell - 1) / 4)};
}

void reset_board(Board& board) {
    for (int k = 0; k < CELL_COUNT; ++k) board.board_cells[k] = k;
    board.board_cells[CELL_COUNT] = 0;
}

void reset_tile_positions(Board& board) {
    for (int k = 1; k <= CELL_COUNT; ++k) board.tile_positions[k] = cell_position(k);
}

void set_move_target(Board& board) {
    const int k = board.move_target_cell;
    if (k >= 1 && k <= CELL_COUNT) board.move_target() = cell_position(k);
}

Slide move_tile(Board& board, int tile) {
    auto& cells = board.board_cells;
    Slide slide;
    board.tile_moved = 0;
    board.move_target_cell = 0;
    const int k = cell_of_tile(board, tile);
    if (k == 0) return slide;

    if (const int m = single_step_target(board, k)) {
        board.move_target_cell = m;
        set_move_target(board);
        cells[k] = 0;
        cells[m] = tile;
        board.tile_moved = 1;
        place(slide, tile, board.move_target());
        return slide;
    }

    // Two tiles: the near tile steps into the empty far cell, the clicked tile follows.
    for (const Direction& dir : SLIDE_ORDER) {
        const int n = k + dir.step, f = k + 2 * dir.step;
        if (!dir.two_tiles_from(k) || cells[n] < 1 || cells[f] != 0) continue;
        board.move_target_cell = n;
        set_move_target(board);
        board.tile_moved = 1;
        const int u = cells[n];
        place(slide, u, offset(board.move_target(), dir.pixels));
        place(slide, tile, board.move_target());
        cells[f] = u;
        cells[k] = 0;
        cells[n] = tile;
        return slide;
    }

    // Three tiles: farthest first, then the middle one, then the clicked tile.
    for (const Direction& dir : SLIDE_ORDER) {
        const int n = k + dir.step, d = k + 2 * dir.step, f = k + 3 * dir.step;
        if (!dir.three_tiles_from(k) || cells[n] < 1 || cells[d] < 1 || cells[f] != 0) continue;
        board.move_target_cell = n;
        set_move_target(board);
        board.tile_moved = 1;
        const int w = cells[d];
        place(slide, w, offset(board.move_target(), dir.pixels, 2));
        cells[f] = w;
        const int u = cells[n];
        place(slide, u, offset(board.move_target(), dir.pixels));
        place(slide, tile, board.move_target());
        cells[d] = u;
        cells[k] = 0;
        cells[n] = tile;
        return slide;
    }
    return slide;
}
