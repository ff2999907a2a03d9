// The board, the slide rule, the deals and the end test.
#include "board/board.h"
#include "board/deal.h"
#include "board/end_position.h"

#include <gtest/gtest.h>

TEST(CellGeometry, CellPositionsFollowThePitch) {
    EXPECT_EQ(cell_position(1), (Point{30, 54}));
    EXPECT_EQ(cell_position(4), (Point{273, 54}));
    EXPECT_EQ(cell_position(7), (Point{192, 135}));
    EXPECT_EQ(cell_position(16), (Point{273, 297}));
}
