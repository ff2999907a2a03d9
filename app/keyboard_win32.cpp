// Virtual-key codes turned into the game's keys.
#include "app/keyboard_win32.h"

#include "app/game.h"

bool take_game_key(const MSG& message, HWND main, Game& game) {
    // A held key repeats as further WM_KEYDOWN messages: each one is a press.
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != main && !IsChild(main, message.hwnd)) return false;
    Key key;
    switch (message.wParam) {
        case VK_LEFT: key = Key::Left; break;
        case VK_RIGHT: key = Key::Right; break;
        case VK_UP: key = Key::Up; break;
        case VK_DOWN: key = Key::Down; break;
        case VK_F1: key = Key::F1; break;
        case VK_F2: key = Key::F2; break;
        case 'H': key = Key::H; break;
        default: return false;
    }
    game.key_press(key);
    return true;
}
