// NEW GAME, CANCEL and the tiles in the two states of a game.
#include <cstdlib>

#include "app.h"
#include "check.h"
#include "faces.h"
#include "game_ids.h"
#include "play.h"
#include "presets.h"

namespace e2e {
namespace {

E2E_CASE("game commands", "NEW GAME deals a preset arrangement and resets the texts") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.text(TIME), std::string("0:00"));
    CHECK_EQ(app.text(MOVES), std::string("0"));
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(preset_number(cells) != 0);
    // Buttons keep their size and stay inside the board.
    for (int t = 1; t <= 15; ++t) {
        const ClientRect r = app.rect(TILE_ID[t]);
        CHECK_EQ_AT(r.width * 1000 + r.height, 80 * 1000 + 80, "tile " + std::to_string(t));
        CHECK_EQ_AT(app.visible(TILE_ID[t]), true, "tile " + std::to_string(t));
    }
    screenshot_point(app, "dealt");
}

E2E_CASE("game commands", "NEW GAME while a game runs changes nothing") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    Cells dealt;
    REQUIRE(app.read_board(dealt));
    const int tile = tile_next_to_empty(dealt);
    app.click(TILE_ID[tile]);
    app.tick();
    app.tick();
    Cells before;
    REQUIRE(app.read_board(before));
    const std::string time = app.text(TIME);
    CHECK(clock_seconds(time) >= 2);
    app.click(NEW_GAME);
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(after == before);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK(clock_seconds(app.text(TIME)) >= clock_seconds(time));
    // The clock still runs: the game is still on.
    app.tick();
    CHECK(clock_seconds(app.text(TIME)) > clock_seconds(time));
}

E2E_CASE("game commands", "CANCEL shows Canceled, keeps the board and stops the clock") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    Cells dealt;
    REQUIRE(app.read_board(dealt));
    app.click(TILE_ID[tile_next_to_empty(dealt)]);
    app.tick();
    Cells before;
    REQUIRE(app.read_board(before));
    app.click(CANCEL);
    CHECK_EQ(app.text(RESULT), std::string("Canceled"));
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(after == before);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    // The real one-second timer is stopped: the clock holds still.
    const std::string time = app.text(TIME);
    Sleep(1300);
    app.settle();
    CHECK_EQ(app.text(TIME), time);
    // Tiles are ignored once the game is over.
    app.click(TILE_ID[tile_next_to_empty(after)]);
    Cells later;
    REQUIRE(app.read_board(later));
    CHECK(later == after);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    // A second CANCEL is refused and leaves the result as it is.
    app.click(CANCEL);
    CHECK_EQ(app.text(RESULT), std::string("Canceled"));
    // NEW GAME is accepted at once.
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.text(MOVES), std::string("0"));
    CHECK_EQ(app.text(TIME), std::string("0:00"));
}

E2E_CASE("game commands", "CANCEL and the tiles are refused while no game runs") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(CANCEL);
    CHECK_EQ(app.text(RESULT), std::string(""));
    // Tiles 12 and 15 stand next to the empty cell of the ordered board.
    app.click(TILE_ID[12]);
    app.click(TILE_ID[15]);
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(cells == ordered_cells());
    CHECK_EQ(app.text(MOVES), std::string("0"));
    CHECK_EQ(app.text(TIME), std::string("0:00"));
    // A tick before any game does nothing either.
    app.tick();
    CHECK_EQ(app.text(TIME), std::string("0:00"));
}

E2E_CASE("game commands", "a three-tile slide counts one move; a tile out of line neither moves nor counts") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    Cells cells;
    REQUIRE(app.read_board(cells));
    // Out of line: nothing moves, nothing is counted.
    const int stuck = tile_out_of_line(cells);
    REQUIRE(stuck != 0);
    app.click(TILE_ID[stuck]);
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(after == cells);
    CHECK_EQ(app.text(MOVES), std::string("0"));
    // The farthest tile in line with the empty cell: three cells away when the
    // empty cell is on the board's edge, as in most preset deals.
    const int e = empty_cell(cells);
    int far_cell = -1, far_distance = 0;
    for (int other = 0; other < 16; ++other) {
        const int distance = other / 4 == e / 4 ? std::abs(other % 4 - e % 4)
                             : other % 4 == e % 4 ? std::abs(other / 4 - e / 4) : 0;
        if (distance > far_distance) far_cell = other, far_distance = distance;
    }
    REQUIRE(far_distance >= 2);
    const int far_tile = cells[far_cell];
    app.click(TILE_ID[far_tile]);
    REQUIRE(slide(cells, far_tile));
    REQUIRE(app.read_board(after));
    CHECK(after == cells);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    // Every tile of the slide is painted at its new place.
    screenshot_point(app, "after-slide");
    Image picture;
    if (CHECK(read_bmp(app.folder() + "\\BmpImages\\PuzNumbs.bmp", picture)))
        check_faces(app, picture, "after a multi-tile slide");
    // Back by one cell, then a two-tile slide: one move each.
    const int near_tile = tile_next_to_empty(cells);
    app.click(TILE_ID[near_tile]);
    REQUIRE(slide(cells, near_tile));
    REQUIRE(app.read_board(after));
    CHECK(after == cells);
    CHECK_EQ(app.text(MOVES), std::string("2"));
}

E2E_CASE("game commands", "LOAD PIC opens the file dialog while idle and is refused during a game") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    // Idle: the open-file dialog comes up; Cancel leaves everything as it was.
    app.post_click(LOAD_PIC);
    HWND dialog = app.find_dialog(5000);
    REQUIRE(dialog != nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < 5000) Sleep(50);
    CHECK(!IsWindow(dialog));
    app.settle();
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(cells == ordered_cells());
    CHECK_EQ(app.text(RESULT), std::string(""));

    // Running: refused, no dialog, the game goes on untouched.
    app.click(NEW_GAME);
    Cells dealt;
    REQUIRE(app.read_board(dealt));
    app.post_click(LOAD_PIC);
    app.settle();
    HWND refused = app.find_dialog(700);
    CHECK(refused == nullptr);
    if (refused) PostMessageA(refused, WM_COMMAND, IDCANCEL, 0);
    REQUIRE(app.read_board(cells));
    CHECK(cells == dealt);
    CHECK_EQ(app.text(RESULT), std::string(" "));
}

}  // namespace
}  // namespace e2e
