// The real mouse and keyboard: input sent through SendInput, so clicks, drags
// and keys go through the system's input handling and the program's own
// message handling, as a player's do. Each call first brings the program's
// window to the foreground, unless a box of the program is there already.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The screen point of a point in a window's client area.
POINT screen_point(HWND window, int x, int y);

// Moves the pointer over a client point of the window, no button pressed.
bool move_pointer(HWND window, int x, int y);

// A left click at a client point of the window.
bool mouse_click(HWND window, int x, int y);

// Presses the left button at a client point, moves the mouse by (dx, dy) in
// steps, as a hand does, and releases it.
bool mouse_drag(HWND window, int x, int y, int dx, int dy);

// Presses and releases the keys named in keys one after another, e.g.
// "F2 Left Up": F1, F2, Left, Right, Up, Down, Return, Escape, a letter or a
// digit. False (and nothing pressed) when a name is unknown.
bool press_keys(HWND window, const std::string& keys);

// Holds one key down for ms milliseconds, repeating as a held key does, and lets it go.
bool hold_key(HWND window, const std::string& key, DWORD ms);

}  // namespace e2e
