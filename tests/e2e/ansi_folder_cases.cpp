// The program unpacked into a folder whose name has letters beyond ASCII, as a
// player's user name puts into C:\Users\...\Downloads: Windows hands every path
// over as ANSI text, and the record, the pictures and the help file must all
// still be found and written.
#include <windows.h>

#include <cstdio>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "pictures.h"
#include "play.h"

namespace e2e {
namespace {

// Letters of several code pages (Western, Cyrillic, Greek, Central European);
// the name is made of those the running ANSI code page holds.
const wchar_t CANDIDATE_LETTERS[] = L"\u0160\u20AC\u00E9\u00FC\u0416\u044F\u03A9\u03BB\u0141\u0151";

// The candidate letters that come back unchanged from ANSI text, as ANSI text.
// Only letters whose every byte is outside ASCII: none can pass for a backslash.
std::string ansi_letters() {
    std::string name;
    for (const wchar_t* letter = CANDIDATE_LETTERS; *letter; ++letter) {
        char bytes[8];
        const int n = WideCharToMultiByte(CP_ACP, 0, letter, 1, bytes, sizeof bytes, nullptr, nullptr);
        wchar_t back[2] = {};
        if (n <= 0 || MultiByteToWideChar(CP_ACP, 0, bytes, n, back, 2) != 1 || back[0] != *letter) continue;
        bool outside_ascii = true;
        for (int i = 0; i < n; ++i) outside_ascii = outside_ascii && static_cast<unsigned char>(bytes[i]) >= 0x80;
        if (outside_ascii) name.append(bytes, n);
    }
    return name;
}

// ANSI text as UTF-8, for the log.
std::string utf8(const std::string& ansi) {
    wchar_t wide[MAX_PATH] = {};
    char out[3 * MAX_PATH] = {};
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, MAX_PATH);
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// LOAD PIC of a picture in the picture folder: no error box, and the snapshot,
// the preview and the tiles show that picture.
void check_load(App& app, const std::string& name, const BlockPicture& picture) {
    const std::string when = utf8(name);
    scramble_board(app);
    const LoadOutcome outcome = load_pic(app, name);
    CHECK_EQ_AT(outcome.dialog_closed, true, when);
    CHECK_EQ_AT(outcome.box_text, std::string(""), when);
    Image snapshot, preview;
    if (!check_snapshot_file(app, snapshot, when)) return;
    std::string where;
    CHECK_EQ_AT(block_centre_error(snapshot, picture, &where) <= 6, true, when + ": snapshot, worst " + where);
    CHECK_EQ_AT(capture_preview(app, preview) && image_difference(preview, snapshot) <= 2, true, when + ": preview");
    check_faces(app, snapshot, when.c_str());
}

E2E_CASE("folders", "from a folder named with letters beyond ASCII the record is written and kept, pictures load, help opens") {
    const std::string letters = ansi_letters();
    REQUIRE(!letters.empty());
    const std::string folder = make_scratch_folder("-" + letters);
    std::printf("    code page %u, folder %s\n", GetACP(), utf8(folder).c_str());
    int seconds = 0, moves = 0;
    {
        App app(folder);
        REQUIRE(app.running_window());
        CHECK_EQ(app.text(BEST_TIME), std::string("0:00"));
        CHECK_EQ(app.text(LEAST_MOVES), std::string("0"));
        std::string stats;
        CHECK(read_stats(app, stats));
        CHECK_EQ(stats, std::string("59 59 998"));

        app.click(NEW_GAME);
        for (int i = 0; i < 3; ++i) app.tick();
        const PlayResult played = play_to(app, ordered_cells());
        REQUIRE(played.reached);
        CHECK_EQ(app.text(RESULT), std::string("Solved"));
        seconds = clock_seconds(app.text(TIME));
        moves = played.clicks;
        CHECK(seconds >= 3);
        CHECK_EQ(app.text(BEST_TIME), clock_text(seconds));
        CHECK_EQ(app.text(LEAST_MOVES), std::to_string(moves));
        CHECK(read_stats(app, stats));
        CHECK_EQ(stats, record_bytes(seconds, moves));

        // 90 pixels wide: the converted PNG's rows need padding.
        const BlockPicture png = block_picture(90, 60, 8, 8, 31), bmp = block_picture(120, 90, 8, 8, 32);
        const std::string png_name = "blocks-" + letters + ".png", bmp_name = "blocks-" + letters + ".bmp";
        REQUIRE(write_file(picture_folder(app) + png_name, png_bytes(png, PngKind::Rgb)));
        REQUIRE(write_block_bmp(picture_folder(app) + bmp_name, bmp));
        check_load(app, png_name, png);
        check_load(app, bmp_name, bmp);

        const HelpOutcome help = press_help(app);
        CHECK_EQ(help.box_text, std::string(""));
        CHECK(help.viewer_started);
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    {
        App app(folder);
        REQUIRE(app.running_window());
        CHECK_EQ(app.text(BEST_TIME), clock_text(seconds));
        CHECK_EQ(app.text(LEAST_MOVES), std::to_string(moves));
        std::string stats;
        CHECK(read_stats(app, stats));
        CHECK_EQ(stats, record_bytes(seconds, moves));
        // Each start puts the number picture back as the current picture.
        std::string numbers, current;
        CHECK(read_file(picture_folder(app) + "PuzNumbs.bmp", numbers) &&
              read_file(current_picture_path(app), current) && current == numbers);
    }
}

}  // namespace
}  // namespace e2e
