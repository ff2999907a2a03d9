// The end-of-game test.
#include "board/end_position.h"

namespace {

bool first_thirteen_in_order(const Board& board) {
    for (int k = 1; k <= 13; ++k)
        if (board.board_cells[k] != k) return false;
    return true;
}

constexpr int MAGIC_SUM = 30;  // 0 + 1 + ... + 15 = 120, a quarter on each line
constexpr int MAGIC_LINES[10][4] = {
    {1, 2, 3, 4},   {5, 6, 7, 8},   {9, 10, 11, 12}, {13, 14, 15, 16},  // rows
    {1, 5, 9, 13},  {2, 6, 10, 14}, {3, 7, 11, 15},  {4, 8, 12, 16},    // columns
    {1, 6, 11, 16}, {4, 7, 10, 13},                                     // diagonals
};

bool is_magic_square(const Board& board) {
    for (const auto& line : MAGIC_LINES) {
        int sum = 0;
        for (int cell : line) sum += board.board_cells[cell];
        if (sum != MAGIC_SUM) return false;
    }
    return true;
}

}  // namespace

EndKind check_end_position(const Board& board, int number_picture_active) {
    const auto& cells = board.board_cells;
    if (first_thirteen_in_order(board) && cells[14] == 14 && cells[15] == 15) return END_ORDERED;
    if (first_thirteen_in_order(board) && cells[14] == 15 && cells[15] == 14) return END_EXCHANGED;
    // Magic squares count only while the tiles show the numbers.
    if (number_picture_active == 1 && is_magic_square(board)) return END_MAGIC_SQUARE;
    return END_NONE;
}
