// The end-to-end driver: runs Tessary.exe from a copy of its distributable
// folder and checks what a player would see. The same program runs on Windows
// and under Wine; scratch copies go to the Windows temporary folder and are
// deleted at the end, except the screens saved at failures.
// Usage: tessary_e2e DIST_FOLDER [--filter TEXT] [--scratch FOLDER] [--soak ACTIONS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app.h"
#include "check.h"
#include "image.h"
#include "players_folder.h"
#include "soak.h"

namespace {

int g_failure_screens = 0;

// The whole screen at a case's first failure, kept beside the scratch copies.
void save_failure_screen() {
    const std::string path = e2e::scratch_root() + "\\failed-" + std::to_string(++g_failure_screens) + ".bmp";
    e2e::Image screen;
    if (e2e::capture_screen(screen) && e2e::write_bmp(path, screen))
        std::printf("    the screen at this failure: %s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: %s DIST_FOLDER [--filter TEXT] [--scratch FOLDER] [--soak ACTIONS]\n", argv[0]);
        return 2;
    }
    // A relative folder is taken from the current one, as a command prompt gives it.
    char full[MAX_PATH] = {};
    const std::string given = e2e::windows_path(argv[1]);
    const std::string dist = GetFullPathNameA(given.c_str(), MAX_PATH, full, nullptr) ? full : given;
    std::string filter;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string scratch = std::string(temp) + "tessary-e2e-" + std::to_string(GetCurrentProcessId());
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--filter") filter = argv[i + 1];
        else if (option == "--scratch") scratch = e2e::windows_path(argv[i + 1]);
        else if (option == "--soak") e2e::set_long_soak(std::atoi(argv[i + 1]));
    }
    // The long soak alone, unless a filter asks for more.
    if (e2e::long_soak_actions() > 0 && filter.empty()) filter = "soak/long run";
    std::printf("on %s\n", e2e::platform_name().c_str());
    if (GetFileAttributesA((dist + "\\Tessary.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("no Tessary.exe in %s\n0 passed, 1 failed\n", dist.c_str());
        return 1;
    }
    // The game may write in the player's own folders: a tester's own records there survive the run.
    if (!e2e::keep_players_folders()) {
        std::printf("could not keep a copy of %sTessary aside; no case ran\n0 passed, 1 failed\n",
                    e2e::players_own_folder().c_str());
        return 1;
    }
    e2e::set_folders(dist, scratch);
    std::printf("program folder %s, scratch copies under %s\n", dist.c_str(), scratch.c_str());
    e2e::on_first_failure(save_failure_screen);
    const int result = e2e::run_cases(filter, {"start-up", "game commands", "clock", "complete game",
                                               "switches", "tile faces", "window"});
    e2e::remove_scratch_copies();
    e2e::restore_players_folders();
    return result;
}
