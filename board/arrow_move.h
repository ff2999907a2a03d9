// The arrow keys' rule: an arrow slides the tile beside the empty cell in the
// arrow's direction, so Left takes the tile to the right of the empty cell.
#pragma once

#include "board/board.h"

enum class Arrow { Left, Right, Up, Down };

// The tile the arrow moves into the empty cell, or 0 when the empty cell lies
// on the edge that tile would come from.
int tile_for_arrow(const Board& board, Arrow arrow);
