// The ten wave sounds: the exact shape of each resource, by identifier.
#pragma once

#include "ids/wave_ids.h"

struct SoundShape {
    WaveId id;
    const char* name;
    int sample_rate;
    int bits;
    int resource_bytes;  // the whole RIFF file as compiled into the program
    int data_bytes;      // the PCM audio of the data chunk
};

inline constexpr SoundShape SOUND_TABLE[] = {
    {WAVE_BUTTON_CLICK, "WAVE_BUTTON_CLICK", 22050, 16, 3346, 1362},
    {WAVE_MINIMIZE, "WAVE_MINIMIZE", 8000, 8, 2306, 2261},
    {WAVE_TILE_MOVE, "WAVE_TILE_MOVE", 22050, 16, 4044, 4000},
    {WAVE_UNSOLVABLE, "WAVE_UNSOLVABLE", 22050, 16, 36034, 35990},
    {WAVE_WIN, "WAVE_WIN", 22050, 16, 29292, 29248},
    {WAVE_NEW_GAME, "WAVE_NEW_GAME", 11025, 16, 79338, 79294},
    {WAVE_BELLS_MOVE, "WAVE_BELLS_MOVE", 22050, 16, 16050, 16006},
    {WAVE_SANTA_WIN, "WAVE_SANTA_WIN", 8000, 8, 35392, 35333},
    {WAVE_CLOWN, "WAVE_CLOWN", 22050, 8, 13476, 13431},
    {WAVE_NEW_RECORD, "WAVE_NEW_RECORD", 22050, 8, 64830, 64785},
};
