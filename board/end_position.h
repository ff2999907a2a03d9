// Recognises the three end positions: ordered, 14/15 exchanged, magic square.
#pragma once

#include "board/board.h"

enum EndKind { END_NONE = 0, END_ORDERED = 1, END_EXCHANGED = 2, END_MAGIC_SQUARE = 3 };

// The end position the board shows, or END_NONE. Magic squares count only
// while number_picture_active is 1. The three exclude one another.
EndKind check_end_position(const Board& board, int number_picture_active);
