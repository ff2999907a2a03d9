// Process start, window lookup and the cross-process reads of App.
#include "app.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace e2e {
namespace {

std::string g_dist;
std::string g_scratch_root;
int g_scratch_count = 0;
std::vector<std::string> g_scratch_copies;

// Wine's ntdll says which Wine it is; Windows' has no such export.
const char* wine_version() {
    const auto get = reinterpret_cast<const char* (*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return get ? get() : nullptr;
}

bool as_on_windows() {
    const char* setting = std::getenv("TESSARY_E2E_WINDOWS");
    return !wine_version() || (setting && std::string(setting) == "1");
}

}  // namespace

HWND find_main_window(DWORD pid) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "Tessary", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

std::string windows_path(std::string path) {
    if (!as_on_windows() && !path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

std::string platform_name() {
    if (const char* wine = wine_version())
        return std::string("Wine ") + wine + (as_on_windows() ? ", as on Windows" : "");
    // GetVersionEx answers 6.2 to a program without a manifest; ntdll tells the truth.
    RTL_OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    const auto get = reinterpret_cast<LONG(WINAPI*)(RTL_OSVERSIONINFOW*)>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    if (get) get(&version);
    return "Windows " + std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) +
           "." + std::to_string(version.dwBuildNumber);
}

bool copy_folder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string src = from + "\\" + name, dst = to + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = copy_folder(src, dst) && ok;
        else
            ok = CopyFileA(src.c_str(), dst.c_str(), FALSE) && ok;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return ok;
}

// Deletes a folder and everything in it; a missing folder is fine.
void remove_folder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_folder(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

const int TILE_ID[16] = {0,    1350, 1400, 1450, 1500, 1550, 1600, 1700,
                         1750, 1800, 1900, 1950, 2000, 2100, 2150, 2200};

void set_folders(const std::string& dist, const std::string& scratch_root) {
    g_dist = dist;
    g_scratch_root = scratch_root;
    CreateDirectoryA(g_scratch_root.c_str(), nullptr);
}

const std::string& dist_folder() { return g_dist; }

const std::string& scratch_root() { return g_scratch_root; }

void remove_scratch_copies() {
    for (const std::string& folder : g_scratch_copies) remove_folder(folder);
    g_scratch_copies.clear();
    RemoveDirectoryA(g_scratch_root.c_str());
}

std::string make_scratch_folder(const std::string& suffix) {
    char name[32];
    std::snprintf(name, sizeof name, "\\run%03d", ++g_scratch_count);
    const std::string folder = g_scratch_root + name + suffix;
    // A kept Wine prefix gives the driver the same process id, so a folder of an
    // earlier run may still be there: every case starts from a clean copy.
    remove_folder(folder);
    copy_folder(g_dist, folder);
    g_scratch_copies.push_back(folder);
    DeleteFileA((folder + "\\stats.txt").c_str());
    return folder;
}

bool read_file(const std::string& path, std::string& bytes) {
    bytes.clear();
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(f);
    return true;
}

bool write_file(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(f);
    return ok;
}

App::App(const std::string& folder) : folder_(folder) {
    std::string exe = folder + "\\Tessary.exe";
    std::string command_line = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process_)) {
        std::printf("    could not start %s (error %lu)\n", exe.c_str(), GetLastError());
        process_ = PROCESS_INFORMATION{};
        return;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 15000) {
        window_ = find_main_window(process_.dwProcessId);
        if (window_) break;
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) break;
    }
    if (!window_) std::printf("    no shown window of class \"Tessary\" from %s\n", exe.c_str());
    settle();
}

App::~App() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        if (window_ && IsWindow(window_))
            SendMessageTimeoutA(window_, WM_COMMAND, 1300, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
        if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 3000);
        }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void App::click(int id) { SendMessageA(window_, WM_COMMAND, WPARAM(id), 0); }

void App::post_click(int id) { PostMessageA(window_, WM_COMMAND, WPARAM(id), 0); }

void App::tick() { SendMessageA(window_, WM_TIMER, 1, 0); }

HWND App::control(int id) const { return GetDlgItem(window_, id); }

std::string App::text(int id) const {
    char buffer[256] = {};
    GetDlgItemTextA(window_, id, buffer, sizeof buffer);
    return buffer;
}

ClientRect App::rect(int id) const {
    RECT r{};
    HWND c = control(id);
    if (!c) return {-1, -1, -1, -1};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool App::visible(int id) const {
    HWND c = control(id);
    return c && IsWindowVisible(c);
}

LONG_PTR App::style(int id) const {
    HWND c = control(id);
    return c ? GetWindowLongPtrA(c, GWL_STYLE) : 0;
}

std::string App::class_name(int id) const {
    char buffer[64] = {};
    HWND c = control(id);
    if (c) GetClassNameA(c, buffer, sizeof buffer);
    return buffer;
}

int App::dpi() const {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpi_for_window && window_)
        if (const UINT dpi = dpi_for_window(window_)) return int(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

bool App::read_board(Cells& cells, int at_dpi) const {
    const int d = at_dpi ? at_dpi : dpi();
    cells.fill(0);
    int used = 0;
    for (int t = 1; t <= 15; ++t) {
        const ClientRect r = rect(TILE_ID[t]);
        int column = -1, row = -1;
        for (int k = 0; k < 4; ++k) {
            if (r.x == MulDiv(30 + 81 * k, d, 96)) column = k;
            if (r.y == MulDiv(54 + 81 * k, d, 96)) row = k;
        }
        if (r.width != MulDiv(80, d, 96) || r.height != MulDiv(80, d, 96) || column < 0 || row < 0) return false;
        int& cell = cells[row * 4 + column];
        if (cell != 0) return false;
        cell = t;
        ++used;
    }
    return used == 15;
}

HWND App::find_dialog(DWORD timeout_ms) const {
    const DWORD start = GetTickCount();
    do {
        HWND w = nullptr;
        while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == process_.dwProcessId && IsWindowVisible(w)) return w;
        }
        Sleep(50);
    } while (GetTickCount() - start < timeout_ms);
    return nullptr;
}

void App::settle() const {
    if (!window_) return;
    // A sent message is handled only when the program waits for messages, so
    // after two round trips with a pause between, pending paints are done.
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
    Sleep(150);
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
}

DWORD App::close_and_wait(DWORD timeout_ms) {
    if (window_) SendMessageTimeoutA(window_, WM_COMMAND, 1300, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
    return wait_exit(timeout_ms);
}

DWORD App::wait_exit(DWORD timeout_ms) {
    if (!process_.hProcess) return STILL_ACTIVE;
    WaitForSingleObject(process_.hProcess, timeout_ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

}  // namespace e2e
