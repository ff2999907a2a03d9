// The soak: random player actions with the window checked after every one,
// and the program's memory and windows flat across thousands of draws.
#include <cstdio>

#include "app.h"
#include "check.h"
#include "soak.h"

namespace e2e {
namespace {

// Memory the program may gain over a run without it counting as a leak:
// Wine's heaps and caches settle in the first hundreds of draws.
const SIZE_T ALLOWED_GROWTH = 4 * 1024 * 1024;

void check_flat(const SoakReport& report) {
    CHECK_EQ(report.last.windows, report.first.windows);
    CHECK_EQ(report.last.gdi_objects <= report.first.gdi_objects + 20, true);
    CHECK_EQ(report.last.user_objects <= report.first.user_objects + 20, true);
    const double growth_mb = (double(report.last.committed) - double(report.first.committed)) / 1048576.0;
    char note[96];
    std::snprintf(note, sizeof note, "committed memory grew by %.2f MB", growth_mb);
    CHECK_EQ_AT(report.last.committed <= report.first.committed + ALLOWED_GROWTH, true, note);
}

E2E_CASE("soak", "four hundred random actions keep the window, the texts and the memory in line") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    SoakOptions options;
    options.actions = 400;
    options.seed = 20240601;
    options.redraw_every = 4;
    options.load_pic_every = 60;
    options.sample_every = 200;
    SoakReport report;
    run_soak(app, options, report);
    REQUIRE(report.actions == options.actions);
    CHECK(report.moves > 50);
    check_flat(report);
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("soak", "long run of --soak N actions (nothing without the option)") {
    const int actions = long_soak_actions();
    if (actions <= 0) {
        std::printf("    no --soak N given: nothing to run\n");
        return;
    }
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    SoakOptions options;
    options.actions = actions;
    options.seed = 7;
    options.redraw_every = 3;
    options.load_pic_every = 500;
    options.sample_every = 1000;
    options.verbose = true;
    SoakReport report;
    run_soak(app, options, report);
    REQUIRE(report.actions == options.actions);
    check_flat(report);
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

}  // namespace
}  // namespace e2e
