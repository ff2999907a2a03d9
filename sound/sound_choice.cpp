// Sound choice rules.
#include "sound/sound_choice.h"

int tile_move_sound(int sound_toggle_count, int sound_theme) {
    if (sound_toggle_count % 2 != 0) return NO_SOUND;
    return sound_theme == THEME_BELLS ? WAVE_BELLS_MOVE : WAVE_TILE_MOVE;
}

int magic_only_end_sound() { return WAVE_WIN; }

int full_end_sound(int sound_theme) { return sound_theme == THEME_SANTA ? WAVE_SANTA_WIN : WAVE_WIN; }

int record_end_sound(int tile, int sound_theme, int finishing_time, int best_time, int record_written) {
    if (sound_theme == THEME_SANTA) return WAVE_SANTA_WIN;
    if (tile == 12) {
        // A written record is left to play to its end.
        if (finishing_time > best_time || record_written == 0) return WAVE_WIN;
        return NO_SOUND;
    }
    // Tile 15 starts the record sound once more from its beginning.
    return record_written == 0 ? WAVE_WIN : WAVE_NEW_RECORD;
}

int unsolvable_sound() { return WAVE_UNSOLVABLE; }

PictureSound picture_sound(const std::string& chosen_file_name, int sound_theme) {
    if (chosen_file_name == "clown.bmp") return {WAVE_CLOWN, sound_theme};
    if (chosen_file_name == "xmasbells.bmp") return {NO_SOUND, THEME_BELLS};
    if (chosen_file_name == "santa.bmp") return {NO_SOUND, THEME_SANTA};
    return {NO_SOUND, THEME_PLAIN};
}
