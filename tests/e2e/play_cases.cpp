// Whole games played to their end: "Solved" with the best record, a slower
// game that leaves the record alone, and the "Unsolvable" end of random deals.
#include <cstdio>

#include "app.h"
#include "check.h"
#include "faces.h"
#include "game_ids.h"
#include "play.h"
#include "presets.h"

namespace e2e {
namespace {

E2E_CASE("complete game", "solving a preset deal shows Solved, counts one move per click and sets the record") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    for (int i = 0; i < 5; ++i) app.tick();
    CHECK(clock_seconds(app.text(TIME)) >= 5);
    screenshot_point(app, "mid-game");

    const PlayResult first = play_to(app, ordered_cells());
    REQUIRE(first.reached);
    // Runs of steps were merged into multi-tile slides, each counted once.
    CHECK(first.clicks < first.single_steps);
    CHECK(first.last_tile == 12 || first.last_tile == 15);
    CHECK_EQ(app.text(RESULT), std::string("Solved"));
    CHECK_EQ(app.text(MOVES), std::to_string(first.clicks));
    const std::string finish = app.text(TIME);
    const int seconds = clock_seconds(finish);
    CHECK(seconds >= 5);
    CHECK_EQ(app.text(BEST_TIME), finish);
    CHECK_EQ(app.text(LEAST_MOVES), std::to_string(first.clicks));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, record_bytes(seconds, first.clicks));
    screenshot_point(app, "solved");
    // The picture is whole again on the screen.
    Image picture;
    if (CHECK(read_bmp(app.folder() + "\\BmpImages\\PuzNumbs.bmp", picture)))
        check_faces(app, picture, "after Solved");

    // The clock has stopped and the tiles no longer react.
    Sleep(1200);
    app.settle();
    CHECK_EQ(app.text(TIME), finish);
    app.click(TILE_ID[12]);
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(cells == ordered_cells());
    CHECK_EQ(app.text(MOVES), std::to_string(first.clicks));

    // A second game, slower than the first: the record stays.
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.text(MOVES), std::string("0"));
    CHECK_EQ(app.text(TIME), std::string("0:00"));
    for (int i = 0; i < seconds + 3; ++i) app.tick();
    const PlayResult second = play_to(app, ordered_cells());
    REQUIRE(second.reached);
    CHECK_EQ(app.text(RESULT), std::string("Solved"));
    CHECK_EQ(app.text(MOVES), std::to_string(second.clicks));
    CHECK(clock_seconds(app.text(TIME)) > seconds);
    CHECK_EQ(app.text(BEST_TIME), finish);
    CHECK_EQ(app.text(LEAST_MOVES), std::to_string(first.clicks));
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, record_bytes(seconds, first.clicks));
    CHECK_EQ(app.close_and_wait(), DWORD(0));

    // The next start shows the record as stored.
    App again(app.folder());
    REQUIRE(again.running_window());
    CHECK_EQ(again.text(BEST_TIME), finish);
    CHECK_EQ(again.text(LEAST_MOVES), std::to_string(first.clicks));
}

E2E_CASE("complete game", "a random deal of the other class ends Unsolvable and leaves the record alone") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(CHECKBOX_CHECKED);  // untick: random deals
    Cells cells{};
    bool unsolvable = false;
    for (int deal = 0; deal < 24 && !unsolvable; ++deal) {
        if (deal > 0) app.click(CANCEL);
        app.click(NEW_GAME);
        REQUIRE(app.read_board(cells));
        unsolvable = reachable(cells, exchanged_cells());
    }
    REQUIRE(unsolvable);
    CHECK(!reachable(cells, ordered_cells()));
    const PlayResult played = play_to(app, exchanged_cells());
    REQUIRE(played.reached);
    CHECK(played.last_tile == 12 || played.last_tile == 14);
    CHECK_EQ(app.text(RESULT), std::string("Unsolvable"));
    CHECK_EQ(app.text(MOVES), std::to_string(played.clicks));
    CHECK_EQ(app.text(BEST_TIME), std::string("0:00"));
    CHECK_EQ(app.text(LEAST_MOVES), std::string("0"));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, std::string("59 59 998"));
    // The game is over: tiles are ignored.
    app.click(TILE_ID[15]);
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(after == exchanged_cells());
}

}  // namespace
}  // namespace e2e
