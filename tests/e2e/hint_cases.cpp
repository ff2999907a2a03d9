// The hint as a player uses it: H frames the tile to move next and shows the
// steps left, and clicking the framed tiles from a preset deal ends Solved in
// the fewest single-tile moves, without a best record. The hint is found
// beside the window: the window answers at once while the first one of a run
// waits for the tables and while one far from home is searched; a move drops
// the answer on its way, and closing the window does not wait for it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app.h"
#include "check.h"
#include "game_ids.h"
#include "image.h"
#include "mouse.h"
#include "play.h"

#include "solver/solver.h"

namespace e2e {
namespace {

// The tile drawn with the hint's frame (black outside, yellow inside, on all
// four sides), 0 for none, -1 when the window cannot be captured.
int framed_tile(const App& app) {
    Image shot;
    if (!capture_client(app.window(), shot)) return -1;
    const Rgb black{0, 0, 0}, yellow{255, 220, 0};
    // Each ring is 3 pixels wide at 100 %, as many times the scale at a larger one.
    const int ring = MulDiv(3, app.dpi(), 96), b = ring / 2, y = ring + ring / 2;
    for (int tile = 1; tile <= 15; ++tile) {
        const ClientRect r = app.rect(TILE_ID[tile]);
        const int mid_x = r.x + r.width / 2, mid_y = r.y + r.height / 2;
        const int right = r.x + r.width - 1, bottom = r.y + r.height - 1;
        const struct { int x, y; Rgb colour; } probes[] = {
            {r.x + b, mid_y, black}, {r.x + y, mid_y, yellow}, {right - b, mid_y, black}, {right - y, mid_y, yellow},
            {mid_x, r.y + b, black}, {mid_x, r.y + y, yellow}, {mid_x, bottom - b, black}, {mid_x, bottom - y, yellow},
        };
        bool framed = true;
        for (const auto& p : probes) framed = framed && colour_distance(shot.at(p.x, p.y), p.colour) <= 8;
        if (framed) return tile;
    }
    return 0;
}

// Waits for a frame to appear (or, for want == 0, to go); the tile then framed.
int wait_for_frame(const App& app, bool want, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    int tile;
    do {
        app.settle();
        tile = framed_tile(app);
    } while ((tile > 0) != want && GetTickCount() - start < timeout_ms);
    return tile;
}

// The steps to go that the result box shows with a hint, -1 for none.
int steps_to_go(const App& app) {
    const std::string text = app.text(RESULT);
    const std::size_t at = text.find(" to go");
    return at == std::string::npos || at == 0 ? -1 : std::atoi(text.substr(0, at).c_str());
}

// Asks the window for WM_NULL every 20 ms until done() or timeout_ms: the
// slowest answer in ms (timeout_ms when one never came).
DWORD slowest_answer_while(const App& app, const std::function<bool()>& done, DWORD timeout_ms) {
    DWORD slowest = 0;
    for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < timeout_ms; Sleep(20)) {
        const DWORD asked = GetTickCount();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(app.window(), WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result)) return timeout_ms;
        slowest = std::max(slowest, GetTickCount() - asked);
    }
    return slowest;
}

// The pointer the system shows now.
HCURSOR pointer_now() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

// The pointer while a search ran, then after its answer: the working-in-
// background one, then the arrow. Windows shares the system's pointers with
// every process; Wine gives each process copies of its own, so there only the
// change itself can be seen.
void check_busy_pointer(HCURSOR during, HCURSOR after) {
    CHECK(during != nullptr && during != after);
    if (after == LoadCursorA(nullptr, IDC_ARROW)) CHECK(during == LoadCursorA(nullptr, IDC_APPSTARTING));
}

// Presses H and waits until the window has handled it, so that the search it
// starts is running: how long the window took to answer (3000 when it did not).
DWORD press_h(const App& app) {
    if (!CHECK(press_keys(app.window(), "H"))) return 3000;
    const DWORD asked = GetTickCount();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(app.window(), WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result)) return 3000;
    return GetTickCount() - asked;
}

// One of the boards farthest from home: 80 single-tile steps.
const Cells FARTHEST = {0, 12, 9, 13, 15, 11, 10, 14, 3, 7, 2, 5, 4, 8, 6, 1};

E2E_CASE("hint", "following the framed tiles from a preset deal ends Solved in the fewest moves, without a record") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    std::string stats_before;
    REQUIRE(read_stats(app, stats_before));
    app.click(NEW_GAME);
    for (int i = 0; i < 5; ++i) app.tick();

    // The first H of a run comes while the tables are still being built: the
    // window answers all the while, under the working-in-background pointer.
    REQUIRE(move_pointer(app.window(), 200, 200));
    const DWORD start = GetTickCount();
    CHECK(press_h(app) <= 100);
    HCURSOR busy_pointer = nullptr;
    const DWORD slowest = slowest_answer_while(app, [&] {
        if (GetTickCount() - start >= 400 && !busy_pointer && steps_to_go(app) < 0) busy_pointer = pointer_now();
        return steps_to_go(app) > 0;
    }, 120000);
    std::printf("    first hint after %lu ms, the window answered within %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - start), static_cast<unsigned long>(slowest));
    CHECK(slowest <= 100);
    int tile = wait_for_frame(app, true, 5000);
    REQUIRE(tile > 0);
    check_busy_pointer(busy_pointer, pointer_now());
    Cells cells;
    REQUIRE(app.read_board(cells));
    const int fewest = static_cast<int>(Solver().solve(cells).tiles.size());
    screenshot_point(app, "hint");
    // Each hint shows the steps left, until the move it asks for.
    int moves = 0;
    while (tile > 0 && CHECK_EQ(steps_to_go(app), fewest - moves) && moves < 100) {
        app.click(TILE_ID[tile]);
        ++moves;
        if (!CHECK_EQ(wait_for_frame(app, false, 5000), 0)) break;
        if (app.text(RESULT) != " ") break;
        press_h(app);
        tile = wait_for_frame(app, true, 5000);
    }
    CHECK_EQ(app.text(RESULT), std::string("Solved"));
    CHECK_EQ(moves, fewest);
    CHECK_EQ(app.text(MOVES), std::to_string(fewest));
    REQUIRE(app.read_board(cells));
    CHECK(cells == ordered_cells());
    // The best record is as it was, on the screen and on the disk.
    CHECK_EQ(app.text(BEST_TIME), std::string("0:00"));
    std::string stats_after;
    CHECK(read_stats(app, stats_after));
    CHECK_EQ(stats_after, stats_before);
    // No game runs: H frames nothing.
    CHECK(press_keys(app.window(), "H"));
    Sleep(300);
    CHECK_EQ(wait_for_frame(app, false, 1000), 0);
}

E2E_CASE("hint", "80 steps from home the window answers while H searches, a click moves at once and drops the answer, and closing ends the program") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    REQUIRE(play_to(app, FARTHEST).reached);

    const DWORD start = GetTickCount();
    CHECK(press_h(app) <= 100);
    const DWORD slowest = slowest_answer_while(app, [&] { return steps_to_go(app) > 0; }, 300000);
    const DWORD searched = GetTickCount() - start;
    std::printf("    80 steps found in %lu ms, the window answered within %lu ms\n",
                static_cast<unsigned long>(searched), static_cast<unsigned long>(slowest));
    CHECK(slowest <= 100);
    CHECK_EQ(steps_to_go(app), 80);

    // Off the hint's way, H starts another long search; a click meanwhile moves its tile at once.
    Cells cells;
    REQUIRE(app.read_board(cells));
    const int framed = framed_tile(app);
    int tile = 0;
    for (int t = 1; t <= 15 && tile == 0; ++t) {
        Cells moved = cells;
        if (t != framed && slide(moved, t)) tile = t;
    }
    REQUIRE(tile > 0);
    app.click(TILE_ID[tile]);
    REQUIRE(app.read_board(cells));
    CHECK(press_h(app) <= 100);
    const int next = tile_next_to_empty(cells);
    const DWORD clicked = GetTickCount();
    app.click(TILE_ID[next]);
    CHECK(GetTickCount() - clicked <= 100);
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(slide(cells, next) && after == cells);
    // The search it abandoned never shows, however long it would have taken.
    Sleep(std::min<DWORD>(std::max<DWORD>(searched, 1000), 5000));
    CHECK_EQ(wait_for_frame(app, false, 0), 0);
    CHECK_EQ(app.text(RESULT), std::string(" "));

    // Closing during a search ends the program at once.
    CHECK(press_h(app) <= 100);
    CHECK_EQ(app.close_and_wait(1000), DWORD(0));
}

}  // namespace
}  // namespace e2e
