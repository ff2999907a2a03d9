// Steps that several cases share: clock texts, playing a game to its end,
// reading the best-record file, saving what a case saw.
#pragma once

#include <string>
#include <vector>

#include "app.h"

namespace e2e {

// The clock's text after n seconds: minutes, ":", two-digit seconds.
std::string clock_text(int seconds);
// Seconds of a clock text, or -1 when it is not one.
int clock_seconds(const std::string& text);

// The best-record file the program writes for a time in seconds and a move count.
std::string record_bytes(int seconds, int moves);
// The bytes of the program's best-record file ("" with false when missing).
bool read_stats(const App& app, std::string& bytes);

// A tile that stands in line with no empty cell (cannot move), or 0.
int tile_out_of_line(const Cells& cells);
// A tile next to the empty cell (can move), or 0.
int tile_next_to_empty(const Cells& cells);

struct PlayResult {
    bool reached = false;   // the board read back equals goal after the last click
    int clicks = 0;         // clicks made, each of which moved tiles
    int single_steps = 0;   // cells the empty cell travelled
    int last_tile = 0;
};

// Pause after each click of play_to.
extern const DWORD CLICK_PAUSE_MS;

// Reads the board, solves it toward goal and clicks the tiles, merging runs
// into two- and three-tile slides. Checks after every click that the move
// counter shows the clicks so far and the tiles stand where the slide rule puts them.
PlayResult play_to(App& app, const Cells& goal);

// When the environment variable TESSARY_E2E_SHOTS names a folder: saves the
// window as the driver sees it (name.bmp) and waits for an outside screenshot
// (the file name.wait is removed by tests/e2e/screenshots.sh).
void screenshot_point(const App& app, const char* name);

}  // namespace e2e
