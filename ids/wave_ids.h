// Identifiers of the ten wave resources.
#pragma once

enum WaveId {
    WAVE_BUTTON_CLICK = 2900,
    WAVE_MINIMIZE = 3000,
    WAVE_TILE_MOVE = 3100,
    WAVE_UNSOLVABLE = 3200,
    WAVE_WIN = 3300,
    WAVE_NEW_GAME = 3400,
    WAVE_BELLS_MOVE = 3700,
    WAVE_SANTA_WIN = 3900,
    WAVE_CLOWN = 4300,
    WAVE_NEW_RECORD = 4500,
};
