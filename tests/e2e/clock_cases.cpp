// The game clock: its texts over the hour and the end it makes.
#include <cstdio>

#include "app.h"
#include "check.h"
#include "game_ids.h"
#include "play.h"

namespace e2e {
namespace {

E2E_CASE("clock", "ticks show minutes and two-digit seconds to 59:59, the next shows Time's up!") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    const DWORD started = GetTickCount();
    // The program's own one-second timer runs as well, so a tick of its own may
    // come between two of ours; allow one per second that really passed.
    int shown = 0, sent = 0;
    int milestones_seen = 0;
    const int MILESTONES[] = {1, 9, 10, 59, 60, 69, 600, 3599};
    while (shown < 3599 && sent < 3700) {
        app.tick();
        ++sent;
        const std::string text = app.text(TIME);
        const int seconds = clock_seconds(text);
        const int own_ticks = int((GetTickCount() - started) / 1000) + 1;
        if (seconds <= shown || seconds > sent + own_ticks) {
            CHECK_EQ_AT(text, clock_text(shown + 1), "after " + std::to_string(sent) + " ticks");
            break;
        }
        for (int m : MILESTONES) milestones_seen += seconds == m;
        shown = seconds;
    }
    REQUIRE(shown == 3599);
    CHECK_EQ(app.text(TIME), std::string("59:59"));
    CHECK_EQ(app.text(RESULT), std::string(" "));
    // Nearly every milestone text was seen on the way (each checked as it came).
    CHECK(milestones_seen >= 6);
    std::printf("    %d ticks sent in %.1f s\n", sent, (GetTickCount() - started) / 1000.0);

    Cells before;
    REQUIRE(app.read_board(before));
    app.tick();
    CHECK_EQ(app.text(RESULT), std::string("Time's up!"));
    CHECK_EQ(app.text(TIME), std::string("59:59"));
    app.tick();
    CHECK_EQ(app.text(TIME), std::string("59:59"));
    screenshot_point(app, "time-up");

    // The tiles are ignored now, a movable one included.
    app.click(TILE_ID[tile_next_to_empty(before)]);
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(after == before);
    CHECK_EQ(app.text(MOVES), std::string("0"));
    CHECK_EQ(app.text(RESULT), std::string("Time's up!"));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, std::string("59 59 998"));

    // NEW GAME is accepted at once and the clock starts again from 0:00.
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.text(TIME), std::string("0:00"));
    app.tick();
    CHECK(clock_seconds(app.text(TIME)) >= 1);
}

E2E_CASE("clock", "the first ticks read 0:01, 0:02, 0:03 in turn") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    // Quick enough that the program's own timer (first tick after a second) stays out.
    const DWORD started = GetTickCount();
    std::string texts[3];
    for (std::string& text : texts) {
        app.tick();
        text = app.text(TIME);
    }
    if (GetTickCount() - started < 900) {
        CHECK_EQ(texts[0], std::string("0:01"));
        CHECK_EQ(texts[1], std::string("0:02"));
        CHECK_EQ(texts[2], std::string("0:03"));
    }
    // Left alone, the clock advances by itself about once a second.
    const int before = clock_seconds(app.text(TIME));
    Sleep(2200);
    app.settle();
    const int after = clock_seconds(app.text(TIME));
    CHECK(after >= before + 1);
    CHECK(after <= before + 3);
}

}  // namespace
}  // namespace e2e
