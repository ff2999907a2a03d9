// The main window's 31 controls as the game's documentation gives them, in
// creation order, for the cases that check where each one stands.
#pragma once

#include <windows.h>

namespace e2e {

const LONG_PTR OWNER_DRAWN = 0x5000000B;
const LONG_PTR PREVIEW_STYLE = 0x5000000E;
const LONG_PTR COUNTER_STYLE = 0x5000008B;
const LONG_PTR CENTRED_TEXT = 0x50000001;
const LONG_PTR HIDDEN = ~LONG_PTR(WS_VISIBLE);

struct ExpectedControl {
    int id;
    const char* class_name;
    LONG_PTR style;  // as created; a hidden control lacks WS_VISIBLE
    int x, y, width, height;
};

constexpr int CONTROL_COUNT = 31;
// The preview panel is listed 192 x 192: created 190 x 182, a bitmap static
// takes the size of the picture it is given at start.
extern const ExpectedControl CONTROLS[CONTROL_COUNT];

}  // namespace e2e
