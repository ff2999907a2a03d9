// The program run from a folder it cannot write, as unpacked into Program
// Files, onto a CD or a read-only share: the record and the current picture
// live in the player's own folder, %LOCALAPPDATA%\Tessary, and nothing is lost.
// The folder comes from the harness (TESSARY_E2E_READONLY), which can make one
// read-only only with a mount: root, as Wine runs here, ignores file modes.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "pictures.h"
#include "play.h"

namespace e2e {
namespace {

// Where the program keeps its files then, as it asks Windows for it.
std::string players_own_folder() {
    char local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) return "";
    return std::string(local) + "\\Tessary\\";
}

bool can_create_file_in(const std::string& folder) {
    HANDLE file = CreateFileA((folder + "\\e2e-probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// The preview shows the number picture, as the picture loader makes it of the file.
void check_number_preview(const App& app, const std::string& when) {
    Image numbers, preview;
    REQUIRE(decode_like_program(picture_folder(app) + "PuzNumbs.bmp", numbers));
    CHECK_EQ_AT(capture_preview(app, preview) && image_difference(preview, numbers) <= 2, true,
                when + ": the preview shows the number picture");
}

E2E_CASE("folders", "from a read-only folder the preview shows the numbers, a record survives a restart, a PNG reaches the tiles") {
    const char* given = std::getenv("TESSARY_E2E_READONLY");
    if (!given || !*given) {
        std::printf("    skipped: no read-only program folder given (tests/e2e/run.sh makes one where it may mount)\n");
        return;
    }
    const std::string folder = windows_path(given);
    REQUIRE(!can_create_file_in(folder));
    const std::string own = players_own_folder();
    REQUIRE(!own.empty());
    DeleteFileA((own + "stats.txt").c_str());
    DeleteFileA((own + "game_image00.bmp").c_str());

    int seconds = 0, moves = 0;
    {
        App app(folder);
        REQUIRE(app.running_window());
        check_number_preview(app, "at start");
        app.click(NEW_GAME);
        for (int i = 0; i < 4; ++i) app.tick();
        const PlayResult played = play_to(app, ordered_cells());
        REQUIRE(played.reached);
        seconds = clock_seconds(app.text(TIME));
        moves = played.clicks;
        CHECK_EQ(app.text(BEST_TIME), clock_text(seconds));
        std::string stats;
        CHECK(read_file(own + "stats.txt", stats));
        CHECK_EQ(stats, record_bytes(seconds, moves));

        // A PNG from elsewhere, as the player browses to it.
        const BlockPicture picture = block_picture(90, 60, 8, 8, 51);
        const std::string png = make_scratch_folder("-pictures") + "\\blocks.png";
        REQUIRE(write_file(png, png_bytes(picture, PngKind::Rgb)));
        const LoadOutcome outcome = load_pic(app, png);
        CHECK(outcome.dialog_closed);
        CHECK_EQ(outcome.box_text, std::string(""));
        Image snapshot, preview;
        if (CHECK(read_bmp(own + "game_image00.bmp", snapshot) && snapshot.width == 192)) {
            std::string where;
            CHECK_EQ_AT(block_centre_error(snapshot, picture, &where) <= 6, true, "snapshot, worst " + where);
            CHECK(capture_preview(app, preview) && image_difference(preview, snapshot) <= 2);
            check_faces(app, snapshot, "after LOAD PIC");
        }
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    {
        App app(folder);
        REQUIRE(app.running_window());
        CHECK_EQ(app.text(BEST_TIME), clock_text(seconds));
        CHECK_EQ(app.text(LEAST_MOVES), std::to_string(moves));
        check_number_preview(app, "after a restart");
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    DeleteFileA((own + "stats.txt").c_str());
    DeleteFileA((own + "game_image00.bmp").c_str());
}

}  // namespace
}  // namespace e2e
