// Which tile an arrow key slides.
#include "board/arrow_move.h"

int tile_for_arrow(const Board& board, Arrow arrow) {
    const auto& cells = board.board_cells;
    const int empty = cell_of_tile(board, 0);
    if (empty == 0) return 0;
    const int column = (empty - 1) % 4, row = (empty - 1) / 4;
    switch (arrow) {
        case Arrow::Left: return column < 3 ? cells[empty + 1] : 0;
        case Arrow::Right: return column > 0 ? cells[empty - 1] : 0;
        case Arrow::Up: return row < 3 ? cells[empty + 4] : 0;
        case Arrow::Down: return row > 0 ? cells[empty - 4] : 0;
    }
    return 0;
}
