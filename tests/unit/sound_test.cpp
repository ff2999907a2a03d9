// Which sound each event plays: the move sound and its mute, the end sounds of
// the record tiles, and the themes that a chosen picture brings.
#include "sound/sound_choice.h"

#include <gtest/gtest.h>

TEST(TileMoveSound, MuteOnOddCountsAndBellsOnlyWithTheBellsTheme) {
    struct Row { int toggles, theme, sound; };
    const Row rows[] = {
        {0, 0, WAVE_TILE_MOVE}, {0, 1, WAVE_BELLS_MOVE}, {0, 2, WAVE_TILE_MOVE},
        {1, 0, NO_SOUND},       {1, 1, NO_SOUND},        {1, 2, NO_SOUND},
        {2, 1, WAVE_BELLS_MOVE}, {3, 0, NO_SOUND},
    };
    for (const Row& r : rows)
        EXPECT_EQ(tile_move_sound(r.toggles, r.theme), r.sound) << r.toggles << " " << r.theme;
}

TEST(EndSounds, RecordGroupDependsOnTheTileTheTimesAndTheWrittenFlag) {
    struct Row { int tile, theme, finish, best, written, sound; };
    const Row rows[] = {
        {12, 0, 100, 200, 1, NO_SOUND},        // new record: its sound plays on
        {12, 0, 300, 200, 0, WAVE_WIN},        // slower
        {12, 0, 200, 200, 0, WAVE_WIN},        // equal time is no record
        {12, 0, 100, 200, 0, WAVE_WIN},        // faster but not written
        {12, 1, 100, 200, 1, NO_SOUND},        // bells theme behaves as plain
        {12, 2, 100, 200, 1, WAVE_SANTA_WIN},  // santa cuts the record sound off
        {12, 2, 300, 200, 0, WAVE_SANTA_WIN},
        {15, 0, 100, 200, 1, WAVE_NEW_RECORD}, // the record sound starts again
        {15, 0, 300, 200, 0, WAVE_WIN},
        {15, 0, 200, 200, 0, WAVE_WIN},
        {15, 2, 100, 200, 1, WAVE_SANTA_WIN},
        {15, 1, 300, 200, 0, WAVE_WIN},
    };
    for (const Row& r : rows)
        EXPECT_EQ(record_end_sound(r.tile, r.theme, r.finish, r.best, r.written), r.sound)
            << "tile " << r.tile << " theme " << r.theme << " " << r.finish << "/" << r.best;
}

TEST(PictureSounds, NamesAreComparedExactlyAndTheClownKeepsTheTheme) {
    struct Row { const char* name; int theme_before; int sound; int theme_after; };
    const Row rows[] = {
        {"clown.bmp", 2, WAVE_CLOWN, 2},
        {"clown.bmp", 0, WAVE_CLOWN, 0},
        {"xmasbells.bmp", 0, NO_SOUND, 1},
        {"santa.bmp", 1, NO_SOUND, 2},
        {"Santa.bmp", 2, NO_SOUND, 0},
        {"", 1, NO_SOUND, 0},
        {"beach.jpg", 2, NO_SOUND, 0},
    };
    for (const Row& r : rows) {
        const PictureSound got = picture_sound(r.name, r.theme_before);
        EXPECT_EQ(got.sound, r.sound) << r.name;
        EXPECT_EQ(got.sound_theme, r.theme_after) << r.name;
    }
}
