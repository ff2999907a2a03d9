// The program's entry point: paths, the fresh current picture, the window and
// its controls, the best record, then the message loop.
#include "app/game.h"
#include "app/keyboard_win32.h"
#include "app/window_win32.h"
#include "files/files.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

namespace {

// Explorer runs a Tessary.exe double-clicked inside the zip alone from a
// temporary folder, where it has no pictures: it says so once, then starts as usual.
const char NO_PICTURES_TEXT[] =
    "Tessary cannot find its pictures (BmpImages\\PuzNumbs.bmp).\n\n"
    "Unpack the whole zip into a folder, then start Tessary.exe from that folder.";

// Said once at start when neither the program folder nor any folder of the
// player's own takes a file; the game then plays on without keeping anything.
const char CANNOT_SAVE_TEXT[] = "Tessary cannot save your best time or your pictures on this computer.";

// The text of a wide path in the ANSI code page; empty when a letter has no
// ANSI form (a Chinese user name on a Western system), rather than a "?" or a
// look-alike letter that names another folder.
std::string ansi_form(const wchar_t* path) {
    // A UTF-8 ANSI code page has every letter, and refuses the question.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL lossy = FALSE;
    char ansi[MAX_PATH] = {};
    const int length = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, path, -1, ansi, MAX_PATH,
                                           nullptr, utf8 ? nullptr : &lossy);
    return length > 1 && !lossy ? std::string(ansi) : std::string();
}

// A folder as text the ANSI file calls open, ending in a backslash: its ANSI
// form, else its short (8.3) form, which is ASCII where the volume keeps short
// names. Empty when neither will do.
std::string ansi_folder(const wchar_t* folder) {
    std::string ansi = ansi_form(folder);
    wchar_t short_form[MAX_PATH] = {};
    const DWORD length = ansi.empty() ? GetShortPathNameW(folder, short_form, MAX_PATH) : 0;
    if (length > 0 && length < MAX_PATH) ansi = ansi_form(short_form);
    return ansi.empty() || ansi.back() == '\\' ? ansi : ansi + "\\";
}

// The player's own folders, best first: the local application data (made when
// missing), then the temporary folder.
std::vector<std::string> players_own_folders() {
    std::vector<std::string> folders;
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                   folder)))
        folders.push_back(ansi_folder(folder));
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    if (length > 0 && length < MAX_PATH) folders.push_back(ansi_folder(folder));
    folders.erase(std::remove(folders.begin(), folders.end(), std::string()), folders.end());
    return folders;
}

std::string module_path() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    path[MAX_PATH - 1] = '\0';
    return path;
}

int run_message_loop(HWND main, Game& game) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (take_game_key(message, main, game)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int run_game(HINSTANCE instance, int show_command) {
    GamePaths paths = make_paths(module_path(), players_own_folders());
    // Unpacked into Program Files, onto a CD, from an archive that marks its files
    // read-only: the files the game writes go where they can be written.
    const bool can_save = place_written_files(paths);
    if (InputFile(paths.number_picture_path).status() != FileStatus::Ok)
        MessageBoxA(nullptr, NO_PICTURES_TEXT, "Tessary", MB_OK | MB_ICONEXCLAMATION);
    if (!can_save) MessageBoxA(nullptr, CANNOT_SAVE_TEXT, "Tessary", MB_OK | MB_ICONEXCLAMATION);

    Win32GameWindow window;
    Game game(window, paths);  // puts the board in order
    attach_game(&game, &window);

    // The window opens on the main monitor, at the system's scale; on any other
    // monitor it lays itself out again for that one. Its skin, which takes a
    // while to make at a larger scale, is made beside the window and its controls.
    window.dpi = system_dpi();
    std::future<HBRUSH> skin = std::async(std::launch::async | std::launch::deferred, make_skin_brush, window.dpi);
    if (!register_window_class(instance, window.dpi)) return 0;
    window.main = create_main_window(instance, window.dpi);
    create_controls(window, instance, paths.current_picture_path);
    window.set_skin(skin.get());
    if (window_dpi(window.main) != window.dpi) window.change_dpi(window_dpi(window.main), nullptr);
    game.show_best_record();
    ShowWindow(window.main, show_command);
    // The hint's tables are built beside the window from now on, ready before the first H.
    HintThread hints(window.main, WM_HINT_FOUND);
    if (hints.start()) window.hints = &hints;
    const int exit_code = run_message_loop(window.main, game);
    window.hints = nullptr;
    hints.stop();
    return exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    // The picture loader and the shell's "open" expect COM on the thread that calls them.
    const bool com = SUCCEEDED(OleInitialize(nullptr));
    const int exit_code = run_game(instance, show_command);
    if (com) OleUninitialize();
    return exit_code;
}
