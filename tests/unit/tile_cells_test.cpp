// Which part of the tile picture each tile shows.
#include "graphics/tile_cells.h"

#include <gtest/gtest.h>

namespace {

void expect_cell(const CellRect& c, int x, int y, int w, int h) {
    EXPECT_EQ(c.x, x);
    EXPECT_EQ(c.y, y);
    EXPECT_EQ(c.width, w);
    EXPECT_EQ(c.height, h);
}

}  // namespace

TEST(TileSourceCell, PreviewSizedPictureGivesExact48PixelCells) {
    const int origins[4] = {0, 48, 96, 144};
    for (int t = 1; t <= 15; ++t) {
        SCOPED_TRACE(t);
        expect_cell(tile_source_cell(t, 192, 192), origins[(t - 1) % 4], origins[(t - 1) / 4], 48, 48);
    }
}

TEST(TileSourceCell, SidesNotMultiplesOfFourLeaveColumnsAndRowsUnused) {
    // W = 190: columns at 0, 47, 95, 143, 47 wide; H = 182: rows at 0, 45, 91, 137, 45 high.
    const int xs[4] = {0, 47, 95, 143};
    const int ys[4] = {0, 45, 91, 137};
    for (int t = 1; t <= 15; ++t) {
        SCOPED_TRACE(t);
        expect_cell(tile_source_cell(t, 190, 182), xs[(t - 1) % 4], ys[(t - 1) / 4], 47, 45);
    }
}

TEST(TileSourceCell, LastColumnAndRowEndAtThePictureEdge) {
    const CellRect right = tile_source_cell(4, 190, 182);
    EXPECT_EQ(right.x + right.width, 190);
    const CellRect bottom = tile_source_cell(13, 190, 182);
    EXPECT_EQ(bottom.y + bottom.height, 182);
}

TEST(TileSourceCell, LargerPictureScalesTheGrid) {
    expect_cell(tile_source_cell(1, 320, 320), 0, 0, 80, 80);
    expect_cell(tile_source_cell(6, 320, 320), 80, 80, 80, 80);
    expect_cell(tile_source_cell(12, 320, 320), 240, 160, 80, 80);
    expect_cell(tile_source_cell(15, 320, 320), 160, 240, 80, 80);
}

TEST(TileSourceCell, NonSquarePictureUsesEachSideOnItsOwn) {
    expect_cell(tile_source_cell(8, 400, 100), 300, 25, 100, 25);
}

TEST(TileSourceCell, NumbersOutsideTheFifteenTilesGetNoCell) {
    for (int t : {-1, 0, 16, 17}) {
        SCOPED_TRACE(t);
        expect_cell(tile_source_cell(t, 192, 192), 0, 0, 0, 0);
    }
}
