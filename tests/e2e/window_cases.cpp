// The title-bar buttons: minimise and close, and the program's exit code.
#include "app.h"
#include "check.h"
#include "game_ids.h"
#include "play.h"

namespace e2e {
namespace {

E2E_CASE("window", "minimise makes the window iconic and the clock goes on") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    app.click(MINIMIZE);
    app.settle();
    CHECK(IsIconic(app.window()));
    app.tick();
    CHECK(clock_seconds(app.text(TIME)) >= 1);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("window", "close ends the program with exit code 0, during a game without touching the record") {
    {
        App app(make_scratch_folder());
        REQUIRE(app.running_window());
        CHECK_EQ(app.close_and_wait(), DWORD(0));
        CHECK(!IsWindow(app.window()));
    }
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    Cells cells;
    REQUIRE(app.read_board(cells));
    app.click(TILE_ID[tile_next_to_empty(cells)]);
    app.tick();
    CHECK_EQ(app.close_and_wait(), DWORD(0));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, std::string("59 59 998"));
}

}  // namespace
}  // namespace e2e
