// Recognises the three end positions: ordered, 14/15 exchanged, magic square.
#pragma once

#include "board/board.h"

#include <string>

enum EndKind { END_NONE = 0, END_ORDERED = 1, END_EXCHANGED = 2, END_MAGIC_SQUARE = 3 };

// The part of the game state that the end test writes.
struct GameProgress {
    int game_running = 0;
    int end_kind = END_NONE;
    std::string move_count_text;
};

// Never sets end_kind back to 0; the caller does once it has announced the end.
void check_end_position(const Board& board, int number_picture_active, GameProgress& progress);
