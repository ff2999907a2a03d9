// The arrow keys' rule on the board.
#include "board/arrow_move.h"

#include <gtest/gtest.h>

TEST(ArrowRule, EachArrowSlidesTheNeighbourOnTheFarSideOfTheEmptyCell) {
    // Row e: the empty cell; then the cell whose tile Left, Right, Up and Down move (0: none).
    const int rows[16][5] = {
        {1, 2, 0, 5, 0},     {2, 3, 1, 6, 0},     {3, 4, 2, 7, 0},     {4, 0, 3, 8, 0},
        {5, 6, 0, 9, 1},     {6, 7, 5, 10, 2},    {7, 8, 6, 11, 3},    {8, 0, 7, 12, 4},
        {9, 10, 0, 13, 5},   {10, 11, 9, 14, 6},  {11, 12, 10, 15, 7}, {12, 0, 11, 16, 8},
        {13, 14, 0, 0, 9},   {14, 15, 13, 0, 10}, {15, 16, 14, 0, 11}, {16, 0, 15, 0, 12},
    };
    const Arrow arrows[] = {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down};
    for (const auto& row : rows) {
        // Each tile stands on the cell of its own number, but for the empty one.
        std::array<int, CELL_COUNT + 1> cells{};
        for (int k = 1; k <= CELL_COUNT; ++k) cells[k] = k == row[0] ? 0 : k;
        for (int a = 0; a < 4; ++a)
            EXPECT_EQ(tile_for_arrow(cells, arrows[a]), row[a + 1]) << "empty cell " << row[0] << ", arrow " << a;
    }
}
