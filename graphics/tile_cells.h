// Where each tile's face lies in the tile picture: a 4 x 4 grid in reading order.
#pragma once

struct CellRect {
    int x;
    int y;
    int width;
    int height;
};

// The source cell of tile 1..15 in a picture of picture_width x picture_height
// pixels: W/4 x H/4 from the origin (0, W/4, W/2, W - W/4) of its column and
// (0, H/4, H/2, H - H/4) of its row. The last column and row start at
// W - W/4 and H - H/4 so that they end at the picture's edges; when a side is
// not a multiple of 4, single pixel columns or rows in between go unused.
// Any other tile number gives an empty rectangle at 0, 0.
CellRect tile_source_cell(int tile, int picture_width, int picture_height);
