// The keys, pressed as a player presses them: F2 deals, the arrows slide
// tiles, F1 asks for the help file.
#include <cstdio>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "game_ids.h"
#include "mouse.h"
#include "play.h"
#include "presets.h"

namespace e2e {
namespace {

const char* const ARROWS[] = {"Left", "Right", "Up", "Down"};

// The tile an arrow slides into the empty cell (Left: the one to its right), or 0.
int tile_for(const Cells& cells, const std::string& arrow) {
    const int e = empty_cell(cells), column = e % 4, row = e / 4;
    if (arrow == "Left") return column < 3 ? cells[e + 1] : 0;
    if (arrow == "Right") return column > 0 ? cells[e - 1] : 0;
    if (arrow == "Up") return row < 3 ? cells[e + 4] : 0;
    return row > 0 ? cells[e - 4] : 0;
}

std::string arrow_for(const Cells& cells, int tile) {
    for (const char* arrow : ARROWS)
        if (tile_for(cells, arrow) == tile) return arrow;
    return "";
}

// Waits up to five seconds for a control to show text: keys reach the program
// through the system's input queue, later than the driver's own messages.
bool shows(const App& app, int id, const std::string& text) {
    for (int i = 0; i < 250 && app.text(id) != text; ++i) Sleep(20);
    app.settle();
    return CHECK_EQ_AT(app.text(id), text, "control " + std::to_string(id));
}

E2E_CASE("keyboard", "a game dealt, won and dealt again with the keys alone; arrows work whatever has the focus") {
    const std::string folder = make_scratch_folder();
    // Without the help file F1 brings up the error box: the keys pressed in it must not reach the game.
    REQUIRE(DeleteFileA((folder + "\\tessary-help.chm").c_str()));
    App app(folder);
    REQUIRE(app.running_window());
    // The program's window is the active one from the start: no click is needed.
    REQUIRE(GetForegroundWindow() == app.window());

    REQUIRE(press_keys(app.window(), "F2") && shows(app, RESULT, " "));
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(preset_number(cells) != 0);
    for (int i = 0; i < 30; ++i) app.tick();

    // F2 during the game is refused. Then the arrow with the most tiles on its
    // side, held down, repeats until they have all slid: one move a cell.
    std::string held;
    int moves = 0;
    Cells expected = cells;
    for (const char* arrow : ARROWS) {
        Cells after = cells;
        int run = 0;
        for (int tile; (tile = tile_for(after, arrow)) != 0; ++run) slide(after, tile);
        if (run > moves) {
            held = arrow;
            moves = run;
            expected = after;
        }
    }
    REQUIRE(press_keys(app.window(), "F2") && hold_key(app.window(), held, 2000) &&
            shows(app, MOVES, std::to_string(moves)));
    REQUIRE(app.read_board(cells));
    CHECK(cells == expected);
    CHECK(clock_seconds(app.text(TIME)) >= 30);

    // The rest of the game in runs of arrows, each run checked; the first arrow
    // has no tile on its side any more: refused, it changes nothing.
    std::vector<int> steps;
    REQUIRE(solve(cells, ordered_cells(), steps));
    std::string keys = held;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        keys += " " + arrow_for(cells, steps[i]);
        slide(cells, steps[i]);
        ++moves;
        if ((i + 1) % 10 != 0 && i + 1 < steps.size()) continue;
        REQUIRE(press_keys(app.window(), keys) && shows(app, MOVES, std::to_string(moves)));
        Cells shown;
        REQUIRE(app.read_board(shown));
        CHECK_EQ_AT(shown == cells, true, "after " + std::to_string(moves) + " moves");
        keys.clear();
    }
    REQUIRE(shows(app, RESULT, "Solved"));
    std::printf("    %s held for %d moves, then %d single arrows\n", held.c_str(), moves - int(steps.size()),
                int(steps.size()));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, record_bytes(clock_seconds(app.text(TIME)), moves));

    // Started again with F2.
    REQUIRE(press_keys(app.window(), "F2") && shows(app, RESULT, " "));
    CHECK_EQ(app.text(MOVES), std::string("0"));
    REQUIRE(app.read_board(cells));

    // A mouse click gives a tile button the focus (this one cannot move); the arrows still slide tiles.
    const int stuck = tile_out_of_line(cells);
    const ClientRect r = app.rect(TILE_ID[stuck]);
    REQUIRE(mouse_click(app.window(), r.x + 40, r.y + 40));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    REQUIRE(GetGUIThreadInfo(GetWindowThreadProcessId(app.window(), nullptr), &gui));
    CHECK(gui.hwndFocus == app.control(TILE_ID[stuck]));
    const int tile = tile_next_to_empty(cells);
    REQUIRE(press_keys(app.window(), arrow_for(cells, tile)) && shows(app, MOVES, "1"));
    slide(cells, tile);
    Cells shown;
    REQUIRE(app.read_board(shown));
    CHECK(shown == cells);

    // F1 is HELP; the keys pressed while its error box is up stay in the box.
    REQUIRE(press_keys(app.window(), "F1"));
    HWND box = app.find_dialog(5000);
    REQUIRE(box != nullptr);
    char caption[64] = {};
    GetWindowTextA(box, caption, sizeof caption);
    CHECK_EQ(std::string(caption), std::string("Error - Tessary"));
    CHECK(GetForegroundWindow() == box);
    REQUIRE(press_keys(app.window(), "Left Right Up Down F2"));
    Sleep(300);
    app.settle();
    press(box, IDOK);
    wait_closed(box, 5000);
    app.settle();
    REQUIRE(app.read_board(shown));
    CHECK(shown == cells);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    CHECK_EQ(app.text(RESULT), std::string(" "));
}

}  // namespace
}  // namespace e2e
