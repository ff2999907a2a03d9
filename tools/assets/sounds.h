// The game's ten sound effects, each synthesised to its row of SOUND_TABLE.
#pragma once

#include <cstdint>
#include <vector>

#include "sound/sounds.h"

namespace sounds {

// The complete WAVE resource for one row of SOUND_TABLE.
std::vector<uint8_t> make_wave(const SoundShape& shape);

}  // namespace sounds
