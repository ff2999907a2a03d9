// Random and preset deals, sharing one generator.
#include "board/deal.h"

#include <ctime>

const std::array<std::array<int, CELL_COUNT>, PRESET_COUNT> PRESET_LAYOUTS = {{
    {5, 6, 3, 14, 11, 2, 7, 12, 9, 10, 13, 4, 15, 8, 1, 0},
    {7, 12, 11, 6, 9, 10, 13, 2, 5, 14, 15, 8, 1, 4, 3, 0},
    {11, 2, 3, 14, 5, 10, 1, 12, 15, 8, 9, 6, 13, 4, 7, 0},
    {15, 14, 9, 2, 1, 8, 11, 10, 13, 4, 5, 12, 7, 6, 3, 0},
    {15, 6, 9, 4, 1, 12, 5, 10, 7, 8, 3, 14, 13, 2, 11, 0},
    {7, 12, 13, 6, 1, 2, 9, 10, 5, 4, 3, 14, 15, 8, 11, 0},
    {15, 8, 11, 10, 13, 14, 7, 6, 9, 4, 1, 12, 5, 2, 3, 0},
    {11, 2, 13, 12, 9, 4, 7, 14, 1, 6, 15, 10, 5, 8, 3, 0},
    {3, 8, 5, 4, 13, 12, 1, 14, 9, 10, 15, 6, 7, 2, 11, 0},
    {7, 12, 11, 14, 5, 2, 9, 8, 15, 10, 1, 6, 13, 4, 3, 0},
    {15, 12, 5, 10, 3, 14, 9, 6, 1, 2, 7, 4, 13, 8, 11, 0},
    {5, 2, 3, 12, 11, 4, 9, 10, 7, 14, 13, 8, 15, 6, 1, 0},
    {9, 2, 7, 10, 3, 14, 5, 4, 1, 12, 11, 6, 13, 8, 15, 0},
    {13, 6, 3, 8, 11, 10, 15, 12, 9, 4, 1, 14, 5, 2, 7, 0},
    {5, 8, 7, 4, 13, 6, 11, 10, 3, 2, 1, 14, 15, 12, 9, 0},
    {4, 6, 10, 15, 2, 13, 14, 11, 9, 7, 5, 3, 8, 1, 12, 0},
    {5, 6, 14, 2, 8, 12, 9, 13, 15, 4, 7, 11, 3, 10, 1, 0},
    {5, 7, 12, 13, 1, 4, 10, 6, 11, 14, 8, 0, 2, 15, 9, 3},
    {7, 9, 14, 0, 13, 1, 15, 2, 6, 12, 10, 4, 5, 11, 8, 3},
    {10, 7, 1, 15, 11, 12, 2, 13, 0, 5, 8, 6, 9, 3, 4, 14},
    {0, 14, 3, 12, 15, 11, 4, 2, 10, 5, 9, 8, 6, 13, 1, 7},
    {9, 12, 10, 6, 0, 7, 2, 3, 11, 1, 4, 13, 5, 15, 8, 14},
    {12, 14, 13, 8, 6, 1, 4, 7, 5, 15, 0, 11, 9, 10, 3, 2},
    {12, 14, 13, 8, 6, 1, 4, 7, 5, 15, 0, 11, 9, 10, 3, 2},  // the same as entry 23, as shipped
}};

namespace {

// Clears the board and seeds the generator on the first deal of the run, of either kind.
void begin_deal(Board& board, DealState& deal) {
    board.board_cells.fill(0);
    if (deal.deal_count == 0) {
        const std::int64_t now = deal.calendar_time ? deal.calendar_time()
                                                    : static_cast<std::int64_t>(std::time(nullptr));
        deal.generator.seed(static_cast<std::uint32_t>(now));
    }
    ++deal.deal_count;
}

}  // namespace

void deal_random(Board& board, DealState& deal) {
    begin_deal(board, deal);
    for (int t = 1; t <= 15; ++t) {
        int k;
        bool taken;
        do {
            k = deal.generator.next() % 16 + 1;
            taken = false;
            for (int s = 1; s < t; ++s) taken = taken || deal.dealt_cells[s] == k;
        } while (taken);
        deal.dealt_cells[t] = k;
        board.board_cells[k] = t;
        ++deal.dealt_tiles;
        board.tile_positions[t] = cell_position(k);
    }
    deal.dealt_tiles = 0;
}

void deal_preset(Board& board, DealState& deal) {
    begin_deal(board, deal);
    const int entry = deal.generator.next() % PRESET_COUNT + 1;
    const auto& layout = PRESET_LAYOUTS[entry - 1];
    for (int k = 1; k <= CELL_COUNT; ++k) board.board_cells[k] = layout[k - 1];
    for (int k = 1; k <= CELL_COUNT; ++k) {
        const int t = board.board_cells[k];
        if (t != 0) board.tile_positions[t] = cell_position(k);
    }
}
