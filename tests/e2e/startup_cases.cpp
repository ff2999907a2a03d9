// What the player sees right after start: the window, its 31 controls, the
// first texts and the best record on a first and a second start.
#include "app.h"
#include "check.h"
#include "expected_controls.h"
#include "game_ids.h"
#include "play.h"

namespace e2e {

// The control table of the game's documentation, in creation order.
const ExpectedControl CONTROLS[CONTROL_COUNT] = {
    {600, "Button", OWNER_DRAWN, 150, 393, 95, 40},
    {700, "Button", OWNER_DRAWN, 402, 337, 95, 40},
    {2800, "Button", OWNER_DRAWN, 402, 287, 95, 40},
    {900, "Button", OWNER_DRAWN, 690, 5, 23, 18},
    {1100, "Button", OWNER_DRAWN, 664, 5, 24, 18},
    {1300, "Button", OWNER_DRAWN, 715, 5, 23, 18},
    {4000, "Button", OWNER_DRAWN, 700, 414, 28, 28},
    {4400, "Button", OWNER_DRAWN & HIDDEN, 700, 414, 28, 28},
    {3500, "Button", OWNER_DRAWN & HIDDEN, 481, 52, 12, 12},
    {3600, "Button", OWNER_DRAWN, 481, 52, 12, 12},
    {1350, "Button", OWNER_DRAWN, 30, 54, 80, 80},
    {1400, "Button", OWNER_DRAWN, 111, 54, 80, 80},
    {1450, "Button", OWNER_DRAWN, 192, 54, 80, 80},
    {1500, "Button", OWNER_DRAWN, 273, 54, 80, 80},
    {1550, "Button", OWNER_DRAWN, 30, 135, 80, 80},
    {1600, "Button", OWNER_DRAWN, 111, 135, 80, 80},
    {1700, "Button", OWNER_DRAWN, 192, 135, 80, 80},
    {1750, "Button", OWNER_DRAWN, 273, 135, 80, 80},
    {1800, "Button", OWNER_DRAWN, 30, 216, 80, 80},
    {1900, "Button", OWNER_DRAWN, 111, 216, 80, 80},
    {1950, "Button", OWNER_DRAWN, 192, 216, 80, 80},
    {2000, "Button", OWNER_DRAWN, 273, 216, 80, 80},
    {2100, "Button", OWNER_DRAWN, 30, 297, 80, 80},
    {2150, "Button", OWNER_DRAWN, 111, 297, 80, 80},
    {2200, "Button", OWNER_DRAWN, 192, 297, 80, 80},
    // Created 190 x 182; a bitmap static takes the size of the 192 x 192
    // picture it is given at start.
    {3800, "Static", PREVIEW_STYLE, 548, 28, 192, 192},
    {2400, "Static", COUNTER_STYLE, 436, 117, 48, 20},
    {2300, "Static", COUNTER_STYLE, 436, 184, 38, 20},
    {2500, "Static", CENTRED_TEXT, 410, 252, 80, 20},
    {4150, "Static", CENTRED_TEXT, 676, 364, 36, 16},
    {4200, "Static", CENTRED_TEXT, 676, 387, 36, 16},
};

namespace {

bool same_class(const std::string& actual, const char* expected) {
    return lstrcmpiA(actual.c_str(), expected) == 0;
}

E2E_CASE("start-up", "every control has its identifier, class, style, rectangle and visibility") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    int children = 0;
    for (HWND c = GetWindow(app.window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    CHECK_EQ(children, 31);
    for (const ExpectedControl& e : CONTROLS) {
        const std::string note = "control " + std::to_string(e.id);
        if (!CHECK_EQ_AT(app.control(e.id) != nullptr, true, note)) continue;
        const std::string cls = app.class_name(e.id);
        if (!same_class(cls, e.class_name)) CHECK_EQ_AT(cls, std::string(e.class_name), note);
        CHECK_EQ_AT(hex(app.style(e.id) & 0xFFFFFFFF), hex(e.style), note);
        CHECK_EQ_AT(app.visible(e.id), (e.style & WS_VISIBLE) != 0, note);
        const ClientRect r = app.rect(e.id);
        CHECK_EQ_AT(r.x, e.x, note);
        CHECK_EQ_AT(r.y, e.y, note);
        CHECK_EQ_AT(r.width, e.width, note);
        CHECK_EQ_AT(r.height, e.height, note);
        CHECK_EQ_AT(GetParent(app.control(e.id)), app.window(), note);
    }
    // The identifiers the tile steps skip belong to no control.
    for (int unused : {1650, 1850, 2050}) CHECK_EQ_AT(app.control(unused), HWND(nullptr), std::to_string(unused));
    Cells cells;
    CHECK(app.read_board(cells) && cells == ordered_cells());
    screenshot_point(app, "idle");
}

E2E_CASE("start-up", "main window is a 742 x 451 popup titled Tessary at the uncentred place") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    RECT r{};
    GetWindowRect(app.window(), &r);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    CHECK_EQ(cx, 1024);
    CHECK_EQ(cy, 768);
    CHECK_EQ(int(r.left), cx / 2 - 420);
    CHECK_EQ(int(r.top), cy / 2 - 190);
    CHECK_EQ(int(r.right - r.left), 742);
    CHECK_EQ(int(r.bottom - r.top), 451);
    RECT client{};
    GetClientRect(app.window(), &client);
    CHECK_EQ(int(client.right), 742);
    CHECK_EQ(int(client.bottom), 451);
    // The system adds WS_CLIPSIBLINGS to every top-level window, whatever was asked for.
    // As 32 bits: a 32-bit driver's LONG_PTR would carry WS_POPUP's top bit as a sign.
    const DWORD style = DWORD(GetWindowLongPtrA(app.window(), GWL_STYLE)) & ~DWORD(WS_CLIPSIBLINGS);
    CHECK_EQ(hex(style), hex(0x80080000 | WS_VISIBLE));
    CHECK_EQ(hex(GetWindowLongPtrA(app.window(), GWL_EXSTYLE)), hex(0));
    char title[64] = {};
    GetWindowTextA(app.window(), title, sizeof title);
    CHECK_EQ(std::string(title), std::string("Tessary"));
    CHECK_EQ(GetParent(app.window()), HWND(nullptr));
    CHECK_EQ(GetMenu(app.window()), HMENU(nullptr));
    CHECK(!IsIconic(app.window()));
}

E2E_CASE("start-up", "first start shows 0:00 and 0 and writes 59 59 998; the second shows 59:59 and 998") {
    const std::string folder = make_scratch_folder();
    {
        App app(folder);
        REQUIRE(app.running_window());
        CHECK_EQ(app.text(TIME), std::string("0:00"));
        CHECK_EQ(app.text(MOVES), std::string("0"));
        CHECK_EQ(app.text(RESULT), std::string(""));
        CHECK_EQ(app.text(BEST_TIME), std::string("0:00"));
        CHECK_EQ(app.text(LEAST_MOVES), std::string("0"));
        std::string stats;
        CHECK(read_stats(app, stats));
        CHECK_EQ(stats, std::string("59 59 998"));
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    {
        App app(folder);
        REQUIRE(app.running_window());
        CHECK_EQ(app.text(BEST_TIME), std::string("59:59"));
        CHECK_EQ(app.text(LEAST_MOVES), std::string("998"));
        CHECK_EQ(app.text(TIME), std::string("0:00"));
        std::string stats;
        CHECK(read_stats(app, stats));
        CHECK_EQ(stats, std::string("59 59 998"));
    }
}

E2E_CASE("start-up", "a stored record is shown as stored, seconds verbatim") {
    const std::string folder = make_scratch_folder();
    // No trailing space: the last field runs to the end of the file.
    REQUIRE(write_file(folder + "\\stats.txt", "3 07 120"));
    App app(folder);
    REQUIRE(app.running_window());
    CHECK_EQ(app.text(BEST_TIME), std::string("3:07"));
    CHECK_EQ(app.text(LEAST_MOVES), std::string("120"));
    std::string stats;
    CHECK(read_stats(app, stats));
    CHECK_EQ(stats, std::string("3 07 120"));
}

}  // namespace
}  // namespace e2e
