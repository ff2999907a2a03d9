// The real mouse on the X display the program's windows are shown on: xdotool
// run from the driver, so clicks and drags go through the X server, Wine's
// input handling and the program's own message handling, as a player's do.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Runs `xdotool arguments` (a Unix program: Wine starts it through /bin/sh
// with the display the driver runs on) and waits until it has finished.
// False when it could not be started, failed, or took longer than timeout_ms.
bool xdotool(const std::string& arguments, DWORD timeout_ms = 10000);

// The screen point of a point in a window's client area.
POINT screen_point(HWND window, int x, int y);

// A left click at a client point of the window.
bool mouse_click(HWND window, int x, int y);

// Presses the left button at a client point, moves the mouse by (dx, dy) in
// steps, as a hand does, and releases it.
bool mouse_drag(HWND window, int x, int y, int dx, int dy);

}  // namespace e2e
