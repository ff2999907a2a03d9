// Whole player scenarios: magic squares with and without the number picture,
// the help file, the real mouse, missing pictures and a record that cannot be
// written.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "image.h"
#include "mouse.h"
#include "play.h"
#include "players_folder.h"
#include "presets.h"
#include "soak.h"
#include "start_box.h"

namespace e2e {
namespace {

// The square one move before `tile` slid into the empty cell: `tile` back
// on the empty cell, and its own cell empty.
Cells one_move_before(const Cells& square, int tile) {
    Cells before = square;
    const int a = empty_cell(square);
    for (int i = 0; i < 16; ++i)
        if (square[i] == tile) std::swap(before[a], before[i]);
    return before;
}

// Search state for magic squares of 0..15 (every line sums to 30).
struct MagicSearch {
    Cells from{};
    int last_tile = 0;
    Cells cells{};
    bool used[16] = {};
    Cells found{};

    bool acceptable() const {
        // The empty cell has last_tile next to it, and the deal can reach the square.
        const int a = empty_cell(cells);
        const int neighbours[4] = {a % 4 > 0 ? a - 1 : -1, a % 4 < 3 ? a + 1 : -1, a >= 4 ? a - 4 : -1,
                                   a < 12 ? a + 4 : -1};
        bool next_to = false;
        for (int n : neighbours) next_to = next_to || (n >= 0 && cells[n] == last_tile);
        if (!next_to || !reachable(from, cells)) return false;
        // The clicks play_to will make toward the square one move early must
        // not pass through a magic square (often the square itself, one click
        // before the last): the game would end there.
        const Cells before = one_move_before(cells, last_tile);
        std::vector<int> steps;
        if (!solve(from, before, steps)) return false;
        Cells played = from;
        for (int tile : merge_slides(from, steps)) {
            slide(played, tile);
            if (end_kind_of(played, true) != 0) return false;
        }
        return true;
    }

    bool place(int i) {
        if (i == 16) {
            if (cells[0] + cells[5] + cells[10] + cells[15] != 30) return false;
            if (!acceptable()) return false;
            found = cells;
            return true;
        }
        const int row = i / 4, column = i % 4;
        int row_sum = 0, column_sum = 0;
        for (int k = 0; k < column; ++k) row_sum += cells[row * 4 + k];
        for (int k = 0; k < row; ++k) column_sum += cells[k * 4 + column];
        for (int v = 0; v < 16; ++v) {
            if (used[v]) continue;
            if (column == 3 && row_sum + v != 30) continue;
            if (row == 3 && column_sum + v != 30) continue;
            if (row_sum + v > 30 || column_sum + v > 30) continue;
            if (i == 12 && cells[3] + cells[6] + cells[9] + v != 30) continue;
            cells[i] = v;
            used[v] = true;
            if (place(i + 1)) return true;
            used[v] = false;
        }
        return false;
    }
};

// A magic square the deal `from` can be slid into, whose last move is by
// `tile`: in it `tile` stands next to the empty cell. `before` is the same
// square one move earlier, with `tile` back on the empty cell.
bool find_magic_square(const Cells& from, int tile, Cells& square, Cells& before) {
    MagicSearch search;
    search.from = from;
    search.last_tile = tile;
    if (!search.place(0)) return false;
    square = search.found;
    before = one_move_before(square, tile);
    return end_kind_of(square, true) == 3;
}

// The chosen picture folder keeps "PuzNumbs.bmp"; a copy named "puznumbs.bmp"
// goes into a folder of its own, since Wine matches existing names without case.
std::string add_lower_case_number_picture(const App& app) {
    const std::string pictures = app.folder() + "\\BmpImages";
    CreateDirectoryA((pictures + "\\numbers").c_str(), nullptr);
    CopyFileA((pictures + "\\PuzNumbs.bmp").c_str(), (pictures + "\\numbers\\puznumbs.bmp").c_str(), FALSE);
    return "numbers\\puznumbs.bmp";
}

// Plays the dealt board to one move before a magic square that the first of
// `tiles` able to do so completes, then clicks that tile.
struct MagicFinish {
    Cells square{};
    int tile = 0;
    int clicks = 0;  // the finishing click included
};

MagicFinish finish_magic_square(App& app, std::initializer_list<int> tiles) {
    Cells dealt;
    REQUIRE(app.read_board(dealt));
    MagicFinish finish;
    Cells before{};
    for (int t : tiles)
        if (find_magic_square(dealt, t, finish.square, before)) {
            finish.tile = t;
            break;
        }
    REQUIRE(finish.tile != 0);
    const PlayResult played = play_to(app, before);
    REQUIRE(played.reached);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    app.click(TILE_ID[finish.tile]);
    Cells shown;
    REQUIRE(app.read_board(shown));
    REQUIRE(shown == finish.square);
    CHECK_EQ(app.text(RESULT), std::string("Magic Square"));
    finish.clicks = played.clicks + 1;
    CHECK_EQ(app.text(MOVES), std::to_string(finish.clicks));
    return finish;
}

E2E_CASE("magic square", "a magic square finished by tile 1 to 8 ends the game without the record, only with the number picture") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string lower_case = add_lower_case_number_picture(app);
    app.click(NEW_GAME);
    app.tick();
    app.tick();
    const MagicFinish first = finish_magic_square(app, {5, 1, 2, 3, 4, 6, 7, 8});
    const Cells& square = first.square;
    const int tile = first.tile;
    Cells shown;
    // No record step: file and texts as they were.
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, std::string("59 59 998"));
    CHECK_EQ(app.text(BEST_TIME), std::string("0:00"));
    CHECK_EQ(app.text(LEAST_MOVES), std::string("0"));
    // The game is over: the clock stands and the tiles are ignored.
    const std::string finish = app.text(TIME);
    Sleep(1200);
    app.settle();
    CHECK_EQ(app.text(TIME), finish);
    app.click(TILE_ID[tile]);
    REQUIRE(app.read_board(shown));
    CHECK(shown == square);

    // Another picture: the same square is no end, the game goes on.
    REQUIRE(choose_picture(app, "clown.bmp"));
    REQUIRE(app.read_board(shown));
    CHECK(shown == ordered_cells());
    app.click(NEW_GAME);
    const PlayResult again = play_to(app, square);
    REQUIRE(again.reached);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.text(MOVES), std::to_string(again.clicks));
    const int running_clock = clock_seconds(app.text(TIME));
    app.tick();
    CHECK(clock_seconds(app.text(TIME)) > running_clock);
    const int next = tile_next_to_empty(square);
    app.click(TILE_ID[next]);
    CHECK_EQ(app.text(MOVES), std::to_string(again.clicks + 1));
    app.click(CANCEL);
    CHECK_EQ(app.text(RESULT), std::string("Canceled"));

    // "puznumbs.bmp", named exactly so, makes magic squares count again.
    REQUIRE(choose_picture(app, lower_case));
    app.click(NEW_GAME);
    finish_magic_square(app, {tile});
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, std::string("59 59 998"));
}

E2E_CASE("magic square", "a magic square finished by tile 12 or 15 runs the record step: a faster time is the new record") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    for (int i = 0; i < 3; ++i) app.tick();
    const int moves = finish_magic_square(app, {12, 15}).clicks;
    const std::string finish = app.text(TIME);
    const int seconds = clock_seconds(finish);
    CHECK(seconds >= 3);
    CHECK_EQ(app.text(BEST_TIME), finish);
    CHECK_EQ(app.text(LEAST_MOVES), std::to_string(moves));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, record_bytes(seconds, moves));
}

E2E_CASE("help", "HELP hands the help file to the shell, which starts the help viewer") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const HelpOutcome help = press_help(app);
    CHECK(help.viewer_started);
    // No error box, and the program goes on answering.
    CHECK_EQ(help.box_text, std::string(""));
    app.settle();
    CHECK_EQ(app.text(RESULT), std::string(""));
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("help", "without the help file HELP shows the error box, and the clock runs on behind it") {
    const std::string folder = make_scratch_folder();
    REQUIRE(DeleteFileA((folder + "\\tessary-help.chm").c_str()));
    App app(folder);
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    app.tick();
    const int clock_before = clock_seconds(app.text(TIME));
    app.post_click(HELP);  // the box is modal
    HWND box = app.find_dialog(5000);
    REQUIRE(box != nullptr);
    char caption[128] = {}, text[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    CHECK_EQ(std::string(caption), std::string("Error - Tessary"));
    CHECK_EQ(std::string(text), std::string("Help file could not be opened..."));
    // The real timer keeps firing while the box is up.
    Sleep(2300);
    const int clock_during = clock_seconds(app.text(TIME));
    CHECK(clock_during >= clock_before + 2);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(box, IDOK)));
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    CHECK(!IsWindow(box));
    app.settle();
    app.tick();
    CHECK(clock_seconds(app.text(TIME)) > clock_during);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    Cells cells;
    REQUIRE(app.read_board(cells));
    const int tile = tile_next_to_empty(cells);
    app.click(TILE_ID[tile]);
    CHECK_EQ(app.text(MOVES), std::string("1"));
}

RECT window_rect(const App& app) {
    RECT r{};
    GetWindowRect(app.window(), &r);
    return r;
}

E2E_CASE("mouse", "a real drag in the title strip moves the window; at (540, 10) or (10, 25) it does not") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    struct Drag {
        int x, y;
        bool moves;
    };
    const Drag drags[] = {{100, 10, true}, {539, 24, true}, {540, 10, false}, {10, 25, false}, {0, 0, true}};
    for (const Drag& d : drags) {
        const std::string note = "drag at (" + std::to_string(d.x) + ", " + std::to_string(d.y) + ")";
        const RECT before = window_rect(app);
        // Toward the middle of the screen, so the window stays on it.
        const int dx = before.left > 200 ? -60 : 60, dy = before.top > 150 ? -40 : 40;
        REQUIRE(mouse_drag(app.window(), d.x, d.y, dx, dy));
        app.settle();
        const RECT after = window_rect(app);
        CHECK_EQ_AT(int(after.left - before.left), d.moves ? dx : 0, note);
        CHECK_EQ_AT(int(after.top - before.top), d.moves ? dy : 0, note);
        CHECK_EQ_AT(int(after.right - after.left), 742, note);
    }
    // The window still works where it now stands.
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
}

// The middle of a control, in the main window's client coordinates.
POINT centre(const App& app, int id) {
    const ClientRect r = app.rect(id);
    return {r.x + r.width / 2, r.y + r.height / 2};
}

bool click_with_mouse(App& app, int id) {
    const POINT p = centre(app, id);
    const bool done = mouse_click(app.window(), p.x, p.y);
    app.settle();
    return done;
}

E2E_CASE("mouse", "a player's session with the real mouse: NEW GAME, tile clicks, CANCEL") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    REQUIRE(click_with_mouse(app, NEW_GAME));
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.text(MOVES), std::string("0"));
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(preset_number(cells) != 0);

    int moves = 0;
    // A tile that cannot move: nothing happens.
    const int stuck = tile_out_of_line(cells);
    REQUIRE(stuck != 0);
    REQUIRE(click_with_mouse(app, TILE_ID[stuck]));
    Cells shown;
    REQUIRE(app.read_board(shown));
    CHECK(shown == cells);
    CHECK_EQ(app.text(MOVES), std::string("0"));
    // Six moves, each on a tile in line with the empty cell, some of them slides of several tiles.
    for (int i = 0; i < 6; ++i) {
        const int e = empty_cell(cells);
        int tile = 0;
        for (int k = 0; k < 16 && !tile; ++k) {
            const int candidate = (k + 5 * i) % 16;
            if (cells[candidate] && candidate != e && (candidate / 4 == e / 4 || candidate % 4 == e % 4))
                tile = cells[candidate];
        }
        REQUIRE(tile != 0);
        REQUIRE(click_with_mouse(app, TILE_ID[tile]));
        REQUIRE(slide(cells, tile));
        ++moves;
        REQUIRE(app.read_board(shown));
        CHECK_EQ_AT(shown == cells, true, "after the click on tile " + std::to_string(tile));
        CHECK_EQ_AT(app.text(MOVES), std::to_string(moves), "after the click on tile " + std::to_string(tile));
    }
    // The faces went along with the tiles.
    Image picture;
    if (CHECK(read_bmp(app.folder() + "\\BmpImages\\PuzNumbs.bmp", picture)))
        check_faces(app, picture, "after clicks with the mouse");
    REQUIRE(click_with_mouse(app, CANCEL));
    CHECK_EQ(app.text(RESULT), std::string("Canceled"));
    const int last = tile_next_to_empty(cells);
    REQUIRE(click_with_mouse(app, TILE_ID[last]));
    REQUIRE(app.read_board(shown));
    CHECK(shown == cells);
}

// Checks that no tile shows a number face (each tile far from every face).
void check_no_faces(const App& app, const char* when) {
    Image picture, screen;
    REQUIRE(read_bmp(dist_folder() + "\\BmpImages\\PuzNumbs.bmp", picture));
    app.settle();
    REQUIRE(capture_client(app.window(), screen));
    double nearest = 1e9;
    for (int t = 1; t <= 15; ++t) {
        const ClientRect r = app.rect(TILE_ID[t]);
        double closest = 1e9;
        for (int f = 1; f <= 15; ++f) closest = std::min(closest, face_error(screen, r.x, r.y, picture, f));
        char note[96];
        std::snprintf(note, sizeof note, "%s, tile %d: %.1f from the nearest face", when, t, closest);
        CHECK_EQ_AT(closest > 20, true, note);
        nearest = std::min(nearest, closest);
    }
    std::printf("    %s: every tile at least %.1f from the nearest number face\n", when, nearest);
}

E2E_CASE("missing pictures", "without the picture folder the program starts, tiles have no faces, a game plays") {
    const std::string folder = make_scratch_folder();
    remove_folder(folder + "\\BmpImages");
    REQUIRE(GetFileAttributesA((folder + "\\BmpImages").c_str()) == INVALID_FILE_ATTRIBUTES);
    StartBox box;  // the box saying the pictures are missing, closed with OK
    App app(folder);
    REQUIRE(app.running_window());
    check_no_faces(app, "at start");
    app.click(NEW_GAME);
    Cells cells;
    REQUIRE(app.read_board(cells));
    const int tile = tile_next_to_empty(cells);
    app.click(TILE_ID[tile]);
    REQUIRE(slide(cells, tile));
    Cells shown;
    REQUIRE(app.read_board(shown));
    CHECK(shown == cells);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    check_no_faces(app, "after a move");
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("missing pictures", "without PuzNumbs.bmp the tiles have no faces until LOAD PIC gives them a picture") {
    const std::string folder = make_scratch_folder();
    REQUIRE(DeleteFileA((folder + "\\BmpImages\\PuzNumbs.bmp").c_str()));
    StartBox box;  // the box saying the pictures are missing, closed with OK
    App app(folder);
    REQUIRE(app.running_window());
    check_no_faces(app, "at start");
    REQUIRE(choose_picture(app, "clown.bmp"));
    Image current;
    REQUIRE(read_bmp(folder + "\\BmpImages\\game_image00.bmp", current));
    CHECK_EQ(current.width, 192);
    check_faces(app, current, "after LOAD PIC");
    app.click(NEW_GAME);
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(preset_number(cells) != 0);
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("record file", "when the record cannot be written a faster game ends as usual and the old record stays") {
    const std::string folder = make_scratch_folder();
    const std::string stored = "3 07 120 ";
    REQUIRE(write_file(folder + "\\stats.txt", stored));
    // Read-only beside the program, and a file in the way of its place in each of the player's folders.
    REQUIRE(SetFileAttributesA((folder + "\\stats.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const std::string& own : {players_own_folder(), players_temporary_folder()}) {
        CreateDirectoryA((own + "Tessary").c_str(), nullptr);
        REQUIRE(write_file(players_place(folder, own), "in the way"));
    }
    App app(folder);
    REQUIRE(app.running_window());
    CHECK_EQ(app.text(BEST_TIME), std::string("3:07"));
    CHECK_EQ(app.text(LEAST_MOVES), std::string("120"));
    app.click(NEW_GAME);
    app.tick();
    app.tick();
    const PlayResult played = play_to(app, ordered_cells());
    REQUIRE(played.reached);
    CHECK_EQ(app.text(RESULT), std::string("Solved"));
    CHECK(clock_seconds(app.text(TIME)) < 3 * 60 + 7);
    CHECK_EQ(app.text(BEST_TIME), std::string("3:07"));
    CHECK_EQ(app.text(LEAST_MOVES), std::string("120"));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, stored);
    // The program goes on: another game starts.
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.close_and_wait(), DWORD(0));
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, stored);
}

}  // namespace
}  // namespace e2e
