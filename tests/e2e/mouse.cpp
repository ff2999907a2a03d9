// xdotool from a Windows program under Wine.
//
// Measured with wine 8.0: CreateProcessA accepts a Unix executable and starts
// it, but gives no process handle to wait on (and `start /unix` does not run
// an ELF file). So the command runs inside /bin/sh, which writes xdotool's
// exit code into a file the driver polls for.
#include "mouse.h"

#include <cstdio>
#include <cstdlib>

#include "app.h"

namespace e2e {
namespace {

int g_runs = 0;

}  // namespace

bool xdotool(const std::string& arguments, DWORD timeout_ms) {
    char name[96];
    std::snprintf(name, sizeof name, "/tmp/tessary-e2e-xdotool-%lu-%d", GetCurrentProcessId(), ++g_runs);
    const std::string done_unix = name;
    std::string done_windows = "Z:" + done_unix;
    for (char& c : done_windows)
        if (c == '/') c = '\\';
    DeleteFileA(done_windows.c_str());

    std::string command = "/bin/sh -c \"/usr/bin/xdotool " + arguments + "; echo $? > " + done_unix + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("    could not start xdotool (error %lu)\n", GetLastError());
        return false;
    }
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);

    const DWORD start = GetTickCount();
    std::string code;
    while (GetTickCount() - start < timeout_ms) {
        // The shell creates the file before echo fills it: wait for the line end.
        if (read_file(done_windows, code) && code.find('\n') != std::string::npos) break;
        Sleep(20);
    }
    DeleteFileA(done_windows.c_str());
    if (code.find('\n') == std::string::npos) {
        std::printf("    xdotool %s: no answer within %lu ms\n", arguments.c_str(), timeout_ms);
        return false;
    }
    if (std::atoi(code.c_str()) != 0) {
        std::printf("    xdotool %s: exit code %s", arguments.c_str(), code.c_str());
        return false;
    }
    return true;
}

POINT screen_point(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

bool mouse_click(HWND window, int x, int y) {
    const POINT p = screen_point(window, x, y);
    char arguments[128];
    // The pause lets Wine see the pointer arrive before the button goes down.
    std::snprintf(arguments, sizeof arguments, "mousemove %ld %ld sleep 0.05 click 1", p.x, p.y);
    return xdotool(arguments);
}

bool mouse_drag(HWND window, int x, int y, int dx, int dy) {
    const POINT p = screen_point(window, x, y);
    std::string arguments;
    char step[96];
    std::snprintf(step, sizeof step, "mousemove %ld %ld sleep 0.1 mousedown 1 sleep 0.2", p.x, p.y);
    arguments += step;
    const int steps = 5;
    for (int i = 1; i <= steps; ++i) {
        std::snprintf(step, sizeof step, " mousemove %ld %ld sleep 0.05", p.x + dx * i / steps, p.y + dy * i / steps);
        arguments += step;
    }
    arguments += " sleep 0.2 mouseup 1 sleep 0.1";
    return xdotool(arguments);
}

}  // namespace e2e
