// Control identifiers as the game's documentation gives them, written out here
// rather than taken from the program so that the two are checked against each other.
#pragma once

namespace e2e {

enum : int {
    NEW_GAME = 600,
    LOAD_PIC = 700,
    HELP = 900,
    MINIMIZE = 1100,
    CLOSE = 1300,
    MOVES = 2300,
    TIME = 2400,
    RESULT = 2500,
    CANCEL = 2800,
    CHECKBOX_EMPTY = 3500,
    CHECKBOX_CHECKED = 3600,
    PREVIEW = 3800,
    SOUND_ON = 4000,
    BEST_TIME = 4150,
    LEAST_MOVES = 4200,
    SOUND_OFF = 4400,
};

}  // namespace e2e
