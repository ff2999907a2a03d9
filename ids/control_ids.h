// Identifiers of the main window's child controls. Commands, draw requests and
// text updates are all addressed by them.
#pragma once

enum ControlId {
    ID_NEW_GAME = 600,
    ID_LOAD_PIC = 700,
    ID_HELP = 900,
    ID_MINIMIZE = 1100,
    ID_CLOSE = 1300,
    ID_TILE_1 = 1350,
    ID_TILE_15 = 2200,
    ID_MOVES = 2300,
    ID_TIME = 2400,
    ID_RESULT = 2500,
    ID_CANCEL = 2800,
    ID_CHECKBOX_EMPTY = 3500,
    ID_CHECKBOX_CHECKED = 3600,
    ID_PREVIEW = 3800,
    ID_SOUND_ON = 4000,
    ID_BEST_TIME = 4150,
    ID_LEAST_MOVES = 4200,
    ID_SOUND_OFF = 4400,
};

// Tile t's button is TILE_IDS[t]; the steps skip 1650, 1850 and 2050.
inline constexpr int TILE_IDS[16] = {0,    1350, 1400, 1450, 1500, 1550, 1600, 1700,
                                     1750, 1800, 1900, 1950, 2000, 2100, 2150, 2200};

// The tile whose button has this identifier, or 0.
inline int tile_for_control(int id) {
    for (int t = 1; t <= 15; ++t)
        if (TILE_IDS[t] == id) return t;
    return 0;
}
