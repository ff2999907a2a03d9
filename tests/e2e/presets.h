// The 24 hand-made arrangements that NEW GAME deals while the check box is
// ticked, as the player's documentation lists them (entries 23 and 24 are equal).
#pragma once

#include "solver.h"

namespace e2e {

extern const Cells PRESET_BOARDS[24];

// The entry number (1..24, the first of equal ones) or 0 when cells is none of them.
int preset_number(const Cells& cells);

}  // namespace e2e
