// The player's own folders as the game finds them, and the copy of the game's
// folders in them that the suite keeps aside while it runs.
#include "players_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "app.h"
#include "app/game_paths.h"

namespace e2e {
namespace {

std::string with_backslash(const std::string& folder) {
    return folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
}

// The folders the game may write in outside its program folder.
std::vector<std::string> game_folders() {
    std::vector<std::string> folders;
    for (const std::string& own : {players_own_folder(), players_temporary_folder()})
        if (!own.empty()) folders.push_back(own + "Tessary");
    return folders;
}

// Aside under a fixed name, so that the next run finds what a killed run left.
// Its file "state" says which folders were there; written last, so that a copy
// cut short is never put back.
std::string aside() { return players_temporary_folder() + "tessary-e2e-kept"; }

bool is_folder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void put_back() {
    const std::vector<std::string> folders = game_folders();
    std::string state;
    if (read_file(aside() + "\\state", state) && state.size() == folders.size()) {
        for (std::size_t i = 0; i < folders.size(); ++i) {
            remove_folder(folders[i]);
            if (state[i] == '1') copy_folder(aside() + "\\" + std::to_string(i), folders[i]);
        }
    }
    remove_folder(aside());
}

BOOL WINAPI on_console_break(DWORD) {
    restore_players_folders();
    return FALSE;  // and the process ends as it would have
}

}  // namespace

std::string players_own_folder() {
    char local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) return "";
    return with_backslash(local);
}

std::string players_temporary_folder() {
    char temp[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    return with_backslash(length > 0 && length < MAX_PATH ? temp : "");
}

std::string players_place(const std::string& program_folder, const std::string& own_folder) {
    const std::string place = install_place(own_folder, program_folder + "\\");
    return place.substr(0, place.size() - 1);
}

bool keep_players_folders() {
    put_back();
    const std::vector<std::string> folders = game_folders();
    CreateDirectoryA(aside().c_str(), nullptr);
    std::string state;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const bool there = is_folder(folders[i]);
        if (there && !copy_folder(folders[i], aside() + "\\" + std::to_string(i))) {
            remove_folder(aside());
            return false;
        }
        state += there ? '1' : '0';
    }
    if (!write_file(aside() + "\\state", state)) {
        remove_folder(aside());
        return false;
    }
    SetConsoleCtrlHandler(on_console_break, TRUE);
    return true;
}

void restore_players_folders() {
    put_back();
    SetConsoleCtrlHandler(on_console_break, FALSE);
}

}  // namespace e2e
