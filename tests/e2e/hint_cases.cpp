// The hint as a player uses it: H frames the tile to move next, and clicking
// the framed tiles from a preset deal ends Solved in the fewest single-tile
// moves, without a best record.
#include <cstdio>

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
    for (int tile = 1; tile <= 15; ++tile) {
        const ClientRect r = app.rect(TILE_ID[tile]);
        const int mid_x = r.x + r.width / 2, mid_y = r.y + r.height / 2;
        const int right = r.x + r.width - 1, bottom = r.y + r.height - 1;
        const struct { int x, y; Rgb colour; } probes[] = {
            {r.x + 1, mid_y, black}, {r.x + 4, mid_y, yellow}, {right - 1, mid_y, black}, {right - 4, mid_y, yellow},
            {mid_x, r.y + 1, black}, {mid_x, r.y + 4, yellow}, {mid_x, bottom - 1, black}, {mid_x, bottom - 4, yellow},
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

E2E_CASE("hint", "following the framed tiles from a preset deal ends Solved in the fewest moves, without a record") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    std::string stats_before;
    REQUIRE(read_stats(app, stats_before));
    app.click(NEW_GAME);
    for (int i = 0; i < 5; ++i) app.tick();
    Cells cells;
    REQUIRE(app.read_board(cells));
    const int fewest = static_cast<int>(Solver().solve(cells).tiles.size());

    // The first H comes from the keyboard and builds the solver's tables: seconds,
    // many under emulation. The frame stays on its tile until the tile moves.
    REQUIRE(press_keys(app.window(), "H"));
    const DWORD start = GetTickCount();
    int tile = wait_for_frame(app, true, 120000);
    REQUIRE(tile > 0);
    std::printf("    first hint after %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    screenshot_point(app, "hint");
    int moves = 0;
    while (tile > 0 && app.text(RESULT) == " " && moves < 100) {
        app.click(TILE_ID[tile]);
        ++moves;
        if (!CHECK_EQ(wait_for_frame(app, false, 5000), 0)) break;
        if (app.text(RESULT) != " ") break;
        if (!CHECK(press_keys(app.window(), "H"))) break;
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

}  // namespace
}  // namespace e2e
