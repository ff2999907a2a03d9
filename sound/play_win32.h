// Playing the wave resources compiled into the program.
#pragma once

// Starts the WAVE resource `wave_id` of the running program and returns at once;
// a new sound cuts off the one still playing. Failures are silent.
void play_sound(int wave_id);
