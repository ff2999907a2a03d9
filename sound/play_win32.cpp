// Sound playback through the multimedia system: resources of our own module, asynchronous.
#include "sound/play_win32.h"

#include <windows.h>
#include <mmsystem.h>

void play_sound(int wave_id) {
    PlaySoundA(MAKEINTRESOURCEA(wave_id), GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC);
}
