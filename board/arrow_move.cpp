// Which tile an arrow key slides.
#include "board/arrow_move.h"

int tile_for_arrow(const std::array<int, CELL_COUNT + 1>& board_cells, Arrow arrow) {
    int empty = 0;
    for (int k = 1; k <= CELL_COUNT && empty == 0; ++k)
        if (board_cells[k] == 0) empty = k;
    if (empty == 0) return 0;
    const int column = (empty - 1) % 4, row = (empty - 1) / 4;
    switch (arrow) {
        case Arrow::Left: return column < 3 ? board_cells[empty + 1] : 0;
        case Arrow::Right: return column > 0 ? board_cells[empty - 1] : 0;
        case Arrow::Up: return row < 3 ? board_cells[empty + 4] : 0;
        case Arrow::Down: return row > 0 ? board_cells[empty - 4] : 0;
    }
    return 0;
}
