// The program's entry point: paths, the fresh current picture, the window and
// its controls, the best record, then the message loop.
#include "app/game.h"
#include "app/keyboard_win32.h"
#include "app/window_win32.h"
#include "files/files.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <future>

namespace {

// Explorer runs a Tessary.exe double-clicked inside the zip alone from a
// temporary folder, where it has no pictures: it says so once, then starts as usual.
const char NO_PICTURES_TEXT[] =
    "Tessary cannot find its pictures (BmpImages\\PuzNumbs.bmp).\n\n"
    "Unpack the whole zip into a folder, then start Tessary.exe from that folder.";

// The player's own folder for the game's files, %LOCALAPPDATA%\Tessary\, made
// when missing; empty when it cannot be had.
std::string players_own_folder() {
    char local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, local)))
        return std::string();
    const std::string folder = std::string(local) + "\\Tessary";
    return make_folder(folder) ? folder + "\\" : std::string();
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
    GamePaths paths = make_paths(module_path());
    // Unpacked into Program Files, onto a CD or a read-only share: the record and
    // the current picture are kept in the player's own folder for the whole run.
    if (!can_create_files_in(paths.program_folder)) {
        const std::string own = players_own_folder();
        if (!own.empty()) keep_written_files_in(paths, own);
    }
    // Every run starts with the number picture, whatever the last run imported.
    copy_file(paths.number_picture_path, paths.current_picture_path);
    if (InputFile(paths.number_picture_path).status() != FileStatus::Ok)
        MessageBoxA(nullptr, NO_PICTURES_TEXT, "Tessary", MB_OK | MB_ICONEXCLAMATION);

    Win32GameWindow window;
    Game game(window, paths);  // puts the board in order
    attach_game(&game);
    attach_window(&window);

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
    return run_message_loop(window.main, game);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    // The picture loader and the shell's "open" expect COM on the thread that calls them.
    const bool com = SUCCEEDED(OleInitialize(nullptr));
    const int exit_code = run_game(instance, show_command);
    if (com) OleUninitialize();
    return exit_code;
}
