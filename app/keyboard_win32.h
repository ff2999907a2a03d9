// The game's keys, taken from the message loop before dispatch.
#pragma once

#include <windows.h>

class Game;

// When message is an arrow, F1, F2 or H pressed in the main window or any of its
// controls, hands it to the game and returns true: the message is then not
// dispatched. Message boxes and the file dialog run loops of their own, so
// keys pressed in them never come here.
bool take_game_key(const MSG& message, HWND main, Game& game);
