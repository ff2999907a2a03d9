// The game at the display's scale: at any DPI every place and size is the
// game's own times DPI / 96 (rounded as MulDiv rounds), the mouse finds the
// scaled tiles and title strip, texts fit their fields, the art is drawn for
// the scale, and the files the game writes are those of 100 %. The suite runs
// these at 96 DPI with the rest, and alone at 144 and 192.
#include <lodepng.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <vector>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "expected_controls.h"
#include "game_ids.h"
#include "image.h"
#include "mouse.h"
#include "play.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace e2e {
namespace {

int at(int value, int dpi) { return MulDiv(value, dpi, 96); }

// The client area on the screen, the size of the window at dpi.
bool capture_at(const App& app, int dpi, Image& screen) {
    app.settle();
    return capture_client(app.window(), screen) && screen.width == at(742, dpi) && screen.height == at(451, dpi);
}

// The window and every control at dpi; note names the moment.
void check_layout(const App& app, int dpi, const std::string& note) {
    RECT window{};
    GetWindowRect(app.window(), &window);
    CHECK_EQ_AT(int(window.right - window.left), at(742, dpi), note + ": window width");
    CHECK_EQ_AT(int(window.bottom - window.top), at(451, dpi), note + ": window height");
    const auto text = [](int x, int y, int w, int h) {
        return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(h);
    };
    for (const ExpectedControl& e : CONTROLS) {
        const ClientRect r = app.rect(e.id);
        // Tiles stand where the game has put them; their size is the scale's.
        const bool tile = e.width == 80 && e.height == 80;
        CHECK_EQ_AT(text(tile ? 0 : r.x, tile ? 0 : r.y, r.width, r.height),
                    text(tile ? 0 : at(e.x, dpi), tile ? 0 : at(e.y, dpi), at(e.width, dpi), at(e.height, dpi)),
                    note + ": control " + std::to_string(e.id));
    }
}

E2E_CASE("display scale", "the window opens at its uncentred place with every control at the game's place times the scale") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const int dpi = app.dpi();
    std::printf("    at %d DPI\n", dpi);
    RECT r{};
    GetWindowRect(app.window(), &r);
    CHECK_EQ(int(r.left), GetSystemMetrics(SM_CXSCREEN) / 2 - at(420, dpi));
    CHECK_EQ(int(r.top), GetSystemMetrics(SM_CYSCREEN) / 2 - at(190, dpi));
    check_layout(app, dpi, "at start");
    Cells cells;
    CHECK(app.read_board(cells) && cells == ordered_cells());
    screenshot_point(app, ("scaled " + std::to_string(dpi)).c_str());
}

E2E_CASE("display scale", "a click on a scaled tile slides it and a drag of the scaled title strip moves the window") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const int dpi = app.dpi();
    app.click(NEW_GAME);
    Cells cells;
    REQUIRE(app.read_board(cells));
    const ClientRect tile = app.rect(TILE_ID[tile_next_to_empty(cells)]);
    // Near the tile's far corner, which lies outside the tile's 100 % rectangle.
    REQUIRE(mouse_click(app.window(), tile.x + tile.width - 3, tile.y + tile.height - 3));
    app.settle();
    CHECK_EQ(app.text(MOVES), std::string("1"));
    struct Drag {
        int x, y;
        bool moves;
    };
    for (const Drag& d : {Drag{at(539, dpi), at(24, dpi), true}, {at(540, dpi), 10, false}, {10, at(25, dpi), false}}) {
        RECT before{}, after{};
        GetWindowRect(app.window(), &before);
        REQUIRE(mouse_drag(app.window(), d.x, d.y, 40, 30));
        app.settle();
        GetWindowRect(app.window(), &after);
        CHECK_EQ_AT(int(after.left - before.left), d.moves ? 40 : 0, "drag at " + std::to_string(d.x) + "," + std::to_string(d.y));
    }
}

// Pixels of text drawn into a control: darker than its light grey ground.
struct Ink {
    int count = 0, top = 1 << 30, bottom = -1, right = -1;
};
Ink ink_in(const Image& screen, const ClientRect& r) {
    Ink ink;
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const Rgb p = screen.at(x, y);
            if (std::max({p.r, p.g, p.b}) >= 128) continue;
            ++ink.count;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.right = std::max(ink.right, x);
        }
    return ink;
}

// The widest clock, move and record texts, set as the game sets them, fit
// their fields in fonts made for the scale; note names the moment.
void check_texts_fit(const App& app, int dpi, const std::string& note) {
    struct Text {
        int id;
        const char* text;
    };
    for (const Text& t : {Text{TIME, "59:59"}, {MOVES, "998"}, {RESULT, "Magic Square"}, {BEST_TIME, "59:59"},
                          {LEAST_MOVES, "998"}})
        SetDlgItemTextA(app.window(), t.id, t.text);
    Image screen;
    REQUIRE(capture_at(app, dpi, screen));
    for (int id : {TIME, MOVES, RESULT, BEST_TIME, LEAST_MOVES}) {
        const ClientRect r = app.rect(id);
        const Ink ink = ink_in(screen, r);
        const std::string text = note + ": text of " + std::to_string(id);
        // Digits as tall as the scale makes them, and none cut at the field's right or bottom edge.
        CHECK_EQ_AT(ink.bottom - ink.top + 1 >= at(7, dpi), true, text + ": height");
        CHECK_EQ_AT(ink.right < r.x + r.width - 1 && ink.bottom < r.y + r.height - 1, true, text + ": inside");
    }
}

E2E_CASE("display scale", "the widest clock, move and record texts fit their fields in fonts of the scale") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    check_texts_fit(app, app.dpi(), "at start");
}

E2E_CASE("display scale", "the skin's frames are sharp: the window's rim keeps its two colours at whole scales") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const int dpi = app.dpi();
    if (dpi % 96 != 0) return;  // at 150 % a one-pixel line falls on half pixels
    Image screen;
    REQUIRE(capture_at(app, dpi, screen));
    const Rgb deep{88, 40, 14}, dark{128, 64, 26};
    const int unit = dpi / 96;
    int wrong = 0;
    for (int y = at(40, dpi); y < at(440, dpi); ++y)
        for (int x = 0; x < 2 * unit; ++x) wrong += colour_distance(screen.at(x, y), x < unit ? deep : dark) != 0;
    CHECK_EQ(wrong, 0);
}

// The number picture drawn for the scale, from the program file's resources.
bool drawn_number_picture(const App& app, int dpi, Image& picture) {
    const int scales[] = {120, 144, 168, 192};
    int id = 0;
    for (int k = 0; k < 4; ++k)
        if (dpi == scales[k]) id = 4600 * 10 + k + 1;
    HMODULE exe = LoadLibraryExA((app.folder() + "\\Tessary.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = exe && id ? FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)) : nullptr;
    const auto* data = found ? static_cast<const unsigned char*>(LockResource(LoadResource(exe, found))) : nullptr;
    std::vector<unsigned char> rgb;
    unsigned w = 0, h = 0;
    const bool ok = data && lodepng::decode(rgb, w, h, data, SizeofResource(exe, found), LCT_RGB, 8) == 0;
    if (exe) FreeLibrary(exe);
    if (!ok) return false;
    picture.width = int(w);
    picture.height = int(h);
    picture.pixels.resize(std::size_t(w) * h);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = std::uint32_t(rgb[i * 3]) << 16 | std::uint32_t(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
    return true;
}

// Largest difference between the tile on the screen and a face of side x side pixels.
int tile_difference(const Image& screen, const ClientRect& tile, const Image& face) {
    int worst = 0;
    for (int y = 0; y < tile.height; ++y)
        for (int x = 0; x < tile.width; ++x) worst = std::max(worst, colour_distance(screen.at(tile.x + x, tile.y + y), face.at(x, y)));
    return worst;
}

// Cell `tile` of a picture stretched smoothly (HALFTONE) to side x side by the system, as the game asks for it.
Image smooth_cell(const Image& picture, int tile, int side) {
    const int w = picture.width / 4, h = picture.height / 4;
    const int x0 = (tile - 1) % 4 == 3 ? picture.width - w : (tile - 1) % 4 * w;
    const int y0 = (tile - 1) / 4 == 3 ? picture.height - h : (tile - 1) / 4 * h;
    std::vector<std::uint32_t> cell;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) cell.push_back(picture.pixels[std::size_t(y0 + y) * picture.width + x0 + x]);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, side, side);
    HGDIOBJ before = SelectObject(memory, target);
    SetStretchBltMode(memory, HALFTONE);
    SetBrushOrgEx(memory, 0, 0, nullptr);
    StretchDIBits(memory, 0, 0, side, side, 0, 0, w, h, cell.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    Image face;
    capture(memory, 0, 0, side, side, face);
    SelectObject(memory, before);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return face;
}

E2E_CASE("display scale", "tiles show the number picture drawn for the scale, and a photo stretched smoothly") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const int dpi = app.dpi();
    if (dpi == 96) return;  // the faces at 100 % are the tile faces cases'
    Image numbers, screen;
    REQUIRE(capture_at(app, dpi, screen));
    // Between the drawn scales the nearest drawing is stretched; the drawing itself is checked at the drawn ones.
    const bool drawn_here = drawn_number_picture(app, dpi, numbers) && numbers.width == 4 * at(80, dpi);
    for (int t = 1; drawn_here && t <= 15; ++t) {
        const ClientRect r = app.rect(TILE_ID[t]);
        Image cell;
        cell.width = cell.height = r.width;
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) cell.pixels.push_back(numbers.pixels[std::size_t((t - 1) / 4 * r.height + y) * numbers.width + (t - 1) % 4 * r.width + x]);
        CHECK_EQ_AT(tile_difference(screen, r, cell), 0, "tile " + std::to_string(t) + " of the number picture");
    }
    scramble_board(app);
    REQUIRE(load_pic(app, "clown.bmp").dialog_closed);
    Image picture;
    REQUIRE(read_bmp(current_picture_path(app), picture));
    REQUIRE(capture_at(app, dpi, screen));
    for (int t = 1; t <= 15; ++t) {
        const ClientRect r = app.rect(TILE_ID[t]);
        CHECK_EQ_AT(tile_difference(screen, r, smooth_cell(picture, t, r.width)) <= 2, true, "tile " + std::to_string(t) + " of the clown");
    }
}

E2E_CASE("display scale", "moving to a monitor of another scale keeps the game; the files are those of 100 %") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    // From 100 % to 125 %, which still fits a screen of 1024 x 768 pixels; from any other to 100 %.
    const int dpi = app.dpi(), other = dpi == 96 ? 120 : 96;
    std::string stats, picture_here, picture_there;
    CHECK(read_stats(app, stats) && stats == "59 59 998");
    REQUIRE(load_pic(app, "sunset.jpg").dialog_closed);
    REQUIRE(read_file(current_picture_path(app), picture_here));
    app.click(NEW_GAME);
    Cells before, after;
    REQUIRE(app.read_board(before));
    app.click(TILE_ID[tile_next_to_empty(before)]);
    app.tick();
    REQUIRE(app.read_board(before));
    // What Windows sends when the window lands on the other monitor (this one has no second).
    SendMessageA(app.window(), WM_DPICHANGED, MAKEWPARAM(other, other), 0);
    app.settle();
    check_layout(app, other, "moved to " + std::to_string(other) + " DPI");
    CHECK(app.read_board(after, other) && after == before);
    CHECK_EQ(app.text(TIME), std::string("0:01"));
    CHECK_EQ(app.text(MOVES), std::string("1"));
    app.click(CANCEL);
    check_texts_fit(app, other, "moved");
    REQUIRE(load_pic(app, "sunset.jpg").dialog_closed);
    REQUIRE(read_file(current_picture_path(app), picture_there));
    CHECK(picture_here == picture_there);
}

}  // namespace
}  // namespace e2e
