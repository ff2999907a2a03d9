// The rules that pick a sound: the tile-move sound with its mute switch, the
// end sound of each tile group, and the theme a chosen picture brings.
#pragma once

#include "ids/wave_ids.h"

#include <string>

constexpr int NO_SOUND = 0;

// Sound themes, picked by the name of the last picture loaded.
enum SoundTheme { THEME_PLAIN = 0, THEME_BELLS = 1, THEME_SANTA = 2 };

// Muted while sound_toggle_count is odd; bells with the bells theme.
int tile_move_sound(int sound_toggle_count, int sound_theme);

// A magic square completed by tiles 1..8: always the plain win sound.
int magic_only_end_sound();
// Solved or magic square completed by tiles 9, 10, 11, 13, 14.
int full_end_sound(int sound_theme);
// Solved or magic square completed by tile 12 or 15, after the record step.
// NO_SOUND means the record sound started by the record step plays on.
int record_end_sound(int tile, int sound_theme, int finishing_time, int best_time, int record_written);
// Tiles 14 and 15 exchanged: the same for every theme.
int unsolvable_sound();

// What a chosen picture name does once LOAD PIC has shown it. The names are
// compared exactly, deliberately: "Santa.bmp" is just another picture.
struct PictureSound {
    int sound = NO_SOUND;  // WAVE_CLOWN for the clown, else none
    int sound_theme = 0;   // the theme from now on
};
PictureSound picture_sound(const std::string& chosen_file_name, int sound_theme);
