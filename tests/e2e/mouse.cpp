// Mouse and keyboard input through SendInput, as a player's hand gives it.
#include "mouse.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace e2e {
namespace {

bool send(INPUT input) {
    if (SendInput(1, &input, sizeof input) == 1) return true;
    std::printf("    SendInput refused the input (error %lu)\n", GetLastError());
    return false;
}

// The foreground belongs to the window's process (its main window or a box it
// shows), so that the input reaches the program; a box the program has up keeps it.
bool bring_to_front(HWND window) {
    DWORD program = 0;
    GetWindowThreadProcessId(window, &program);
    const auto in_front = [program] {
        DWORD front = 0;
        HWND w = GetForegroundWindow();
        return w && GetWindowThreadProcessId(w, &front) && front == program;
    };
    if (in_front()) return true;
    const HWND target = GetLastActivePopup(window);
    if (!SetForegroundWindow(target)) {
        // Windows refuses the foreground to a process that did not receive the
        // last input; with the driver's thread joined to the foreground one it may take it.
        const DWORD me = GetCurrentThreadId(), owner = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
        AttachThreadInput(me, owner, TRUE);
        SetForegroundWindow(target);
        AttachThreadInput(me, owner, FALSE);
    }
    for (int i = 0; i < 50 && !in_front(); ++i) Sleep(10);
    if (in_front()) return true;
    std::printf("    the program's window could not be brought to the foreground\n");
    return false;
}

// Absolute mouse coordinates run from 0 to 65535 over the whole desktop.
LONG normalized(LONG at, int origin, int size) { return LONG(((at - origin) * 65536LL + size - 1) / size); }

bool move_to(POINT p) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalized(p.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = normalized(p.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return send(input);
}

// Moves the pointer to p and checks it is there before a button goes down
// (while a button is held the program may move the pointer itself).
bool point_at(POINT p) {
    if (!move_to(p)) return false;
    POINT now{};
    for (int i = 0; i < 20 && GetCursorPos(&now) && (now.x != p.x || now.y != p.y); ++i) Sleep(10);
    if (now.x == p.x && now.y == p.y) return true;
    std::printf("    the pointer went to (%ld, %ld), not (%ld, %ld)\n", now.x, now.y, p.x, p.y);
    return false;
}

bool left_button(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return send(input);
}

struct KeyName {
    const char* name;
    WORD vk;
};
// The keys cases press; letters and digits stand for themselves.
const KeyName KEYS[] = {{"Left", VK_LEFT},     {"Right", VK_RIGHT},    {"Up", VK_UP}, {"Down", VK_DOWN},
                        {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"F1", VK_F1}, {"F2", VK_F2}};

WORD virtual_key(const std::string& name) {
    for (const KeyName& k : KEYS)
        if (name == k.name) return k.vk;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return WORD(std::toupper(static_cast<unsigned char>(name[0])));
    return 0;
}

bool key(WORD vk, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    // The arrows sit apart from the number pad, as extended keys.
    if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return send(input);
}

std::vector<WORD> virtual_keys(const std::string& keys) {
    std::vector<WORD> found;
    std::size_t at = 0;
    while ((at = keys.find_first_not_of(' ', at)) != std::string::npos) {
        const std::size_t end = std::min(keys.find(' ', at), keys.size());
        const std::string name = keys.substr(at, end - at);
        const WORD vk = virtual_key(name);
        if (!vk) {
            std::printf("    no key named \"%s\"\n", name.c_str());
            return {};
        }
        found.push_back(vk);
        at = end;
    }
    return found;
}

}  // namespace

POINT screen_point(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

bool move_pointer(HWND window, int x, int y) { return move_to(screen_point(window, x, y)); }

bool mouse_click(HWND window, int x, int y) {
    if (!bring_to_front(window) || !point_at(screen_point(window, x, y))) return false;
    // The pause lets the program see the pointer arrive before the button goes down.
    Sleep(50);
    const bool done = left_button(true) && left_button(false);
    Sleep(50);
    return done;
}

bool mouse_drag(HWND window, int x, int y, int dx, int dy) {
    const POINT p = screen_point(window, x, y);
    if (!bring_to_front(window) || !point_at(p)) return false;
    Sleep(100);
    if (!left_button(true)) return false;
    Sleep(200);
    bool moved = true;
    const int steps = 5;
    for (int i = 1; i <= steps && moved; ++i) {
        moved = move_to({p.x + dx * i / steps, p.y + dy * i / steps});
        Sleep(50);
    }
    Sleep(200);
    const bool released = left_button(false);
    Sleep(100);
    return moved && released;
}

bool press_keys(HWND window, const std::string& keys) {
    const std::vector<WORD> vks = virtual_keys(keys);
    if (vks.empty() || !bring_to_front(window)) return false;
    for (WORD vk : vks) {
        if (!key(vk, true) || !key(vk, false)) return false;
        Sleep(30);
    }
    return true;
}

bool hold_key(HWND window, const std::string& name, DWORD ms) {
    const std::vector<WORD> vks = virtual_keys(name);
    if (vks.size() != 1 || !bring_to_front(window)) return false;
    // A held key sends its press again and again, after a first pause, until it is let go.
    const DWORD start = GetTickCount();
    bool held = key(vks[0], true);
    for (DWORD pause = 500; held && GetTickCount() - start + pause < ms; pause = 33) {
        Sleep(pause);
        held = key(vks[0], true);
    }
    Sleep(ms - std::min<DWORD>(ms, GetTickCount() - start));
    return key(vks[0], false) && held;
}

}  // namespace e2e
