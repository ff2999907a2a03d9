// Cell arithmetic for cutting tile faces out of the tile picture.
#include "graphics/tile_cells.h"

namespace {

// Origin of column (or row) index 0..3 along a side of the given length.
int cell_origin(int index, int side) {
    switch (index) {
        case 0: return 0;
        case 1: return side / 4;
        case 2: return side / 2;
        default: return side - side / 4;
    }
}

}  // namespace

CellRect tile_source_cell(int tile, int picture_width, int picture_height) {
    if (tile < 1 || tile > 15) {
        return CellRect{0, 0, 0, 0};
    }
    const int column = (tile - 1) % 4;
    const int row = (tile - 1) / 4;
    return CellRect{cell_origin(column, picture_width), cell_origin(row, picture_height),
                    picture_width / 4, picture_height / 4};
}
