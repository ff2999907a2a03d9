// Shared game steps for the cases.
#include "play.h"

#include <cstdio>
#include <cstdlib>

#include "check.h"
#include "game_ids.h"
#include "image.h"

namespace e2e {

const DWORD CLICK_PAUSE_MS = 10;

std::string clock_text(int seconds) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", seconds / 60, seconds % 60);
    return buffer;
}

int clock_seconds(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || text.size() != colon + 3) return -1;
    const int minutes = std::atoi(text.substr(0, colon).c_str());
    const int seconds = std::atoi(text.substr(colon + 1).c_str());
    const int total = minutes * 60 + seconds;
    return clock_text(total) == text ? total : -1;
}

std::string record_bytes(int seconds, int moves) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d %02d %d ", seconds / 60, seconds % 60, moves);
    return buffer;
}

bool read_stats(const App& app, std::string& bytes) {
    return read_file(app.folder() + "\\stats.txt", bytes);
}

int tile_out_of_line(const Cells& cells) {
    const int e = empty_cell(cells);
    for (int i = 0; i < 16; ++i)
        if (cells[i] != 0 && i / 4 != e / 4 && i % 4 != e % 4) return cells[i];
    return 0;
}

int tile_next_to_empty(const Cells& cells) {
    const int e = empty_cell(cells);
    if (e % 4 > 0) return cells[e - 1];
    if (e % 4 < 3) return cells[e + 1];
    return 0;
}

PlayResult play_to(App& app, const Cells& goal) {
    PlayResult result;
    Cells cells;
    if (!CHECK(app.read_board(cells))) return result;
    std::vector<int> steps;
    if (!CHECK(solve(cells, goal, steps))) return result;
    result.single_steps = int(steps.size());
    const std::vector<int> clicks = merge_slides(cells, steps);
    const int moves_before = std::atoi(app.text(MOVES).c_str());
    for (int tile : clicks) {
        app.click(TILE_ID[tile]);
        // A player's clicks come slower than the screen repaints; clicks at
        // machine speed leave moved tiles unpainted under Wine.
        Sleep(CLICK_PAUSE_MS);
        slide(cells, tile);
        ++result.clicks;
        result.last_tile = tile;
        Cells shown;
        const bool readable = app.read_board(shown);
        const bool counted = app.text(MOVES) == std::to_string(moves_before + result.clicks);
        if (!readable || shown != cells || !counted) {
            CHECK(readable);
            CHECK_EQ_AT(app.text(MOVES), std::to_string(moves_before + result.clicks),
                        "after click " + std::to_string(result.clicks) + " on tile " + std::to_string(tile));
            CHECK(shown == cells);
            return result;
        }
    }
    result.reached = cells == goal;
    return result;
}

void screenshot_point(const App& app, const char* name) {
    const char* folder = std::getenv("TESSARY_E2E_SHOTS");
    if (!folder || !*folder) return;
    app.settle();
    Image image;
    if (capture_client(app.window(), image))
        write_bmp(std::string(folder) + "\\" + name + ".bmp", image);
    const std::string wait = std::string(folder) + "\\" + name + ".wait";
    write_file(wait, name);
    for (int i = 0; i < 100 && GetFileAttributesA(wait.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
}

}  // namespace e2e
