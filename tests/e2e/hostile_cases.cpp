// Hostile files through the real program: pictures that are empty, truncated,
// enormous, mislabelled or of extreme shape chosen with LOAD PIC, and best-record
// files that are malformed or a folder, at start-up and at a game's end.
#include <cstdio>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "pictures.h"
#include "play.h"
#include "players_folder.h"

namespace e2e {
namespace {

enum class Expect {
    ErrorBox,  // neither way reads it: "Image failed to load. . . ", the previous picture stays
    Loaded,    // the picture is shown
    Decoded,   // the picture is shown as the picture loader decodes the file
};

struct HostilePicture {
    const char* file;
    const char* what;
    Expect expect;
};

// The file contents, made when the case runs (some need the shipped samples).
std::string hostile_bytes(const std::string& file, const std::string& folder, BlockPicture& shown) {
    const BlockPicture blocks = block_picture(64, 64, 8, 8, 31);
    const std::string png = png_bytes(blocks, PngKind::Rgb);
    shown = blocks;
    if (file == "empty.png" || file == "empty.bmp") return "";
    if (file == "truncated.png") return png.substr(0, png.size() / 2);
    if (file == "huge.png") return png_declaring(60000, 60000);
    if (file == "text.bmp") return "This is not a picture.\r\nJust two lines of text.\r\n";
    if (file == "photo.png") {
        std::string jpeg;
        read_file(folder + "sunset.jpg", jpeg);
        return jpeg;
    }
    if (file == "upper.PNG" || file == "mixed.Png") {
        shown = block_picture(64, 64, 8, 8, file == "upper.PNG" ? 32 : 33);
        return png_bytes(shown, PngKind::Rgb);
    }
    if (file == "dot.png") {
        shown = block_picture(1, 1, 1, 1, 34);
        return png_bytes(shown, PngKind::Rgb);
    }
    if (file == "wide.png") {
        shown = block_picture(65535, 1, 4, 1, 35);
        return png_bytes(shown, PngKind::Rgb);
    }
    if (file == "wider.png") return png_bytes(block_picture(65536, 1, 4, 1, 36), PngKind::Rgb);
    return png;
}

// Every tile shows its own cell of the picture. Unlike check_faces this allows
// faces that look alike (a one-colour picture, vertical stripes).
void check_own_faces(const App& app, const Image& picture, const std::string& when) {
    Image screen;
    REQUIRE(capture_client(app.window(), screen));
    for (int t = 1; t <= 15; ++t) {
        const ClientRect r = app.rect(TILE_ID[t]);
        CHECK_EQ_AT(face_error(screen, r.x, r.y, picture, t) <= 8, true, when + ": tile " + std::to_string(t));
    }
}

const HostilePicture HOSTILE_PICTURES[] = {
    {"empty.png", "an empty file named .png", Expect::ErrorBox},
    {"truncated.png", "the first half of a PNG", Expect::ErrorBox},
    {"huge.png", "a PNG header declaring 60000 x 60000 with a tiny IDAT", Expect::ErrorBox},
    {"empty.bmp", "an empty file named .bmp", Expect::ErrorBox},
    {"text.bmp", "a text file named .bmp", Expect::ErrorBox},
    {"photo.png", "a JPEG named .png, given to the picture loader", Expect::Decoded},
    {"upper.PNG", "a PNG named .PNG, decoded as PNG", Expect::Loaded},
    {"mixed.Png", "a PNG named .Png, decoded as PNG", Expect::Loaded},
    {"dot.png", "a 1 x 1 PNG", Expect::Loaded},
    {"wide.png", "a 65535 x 1 PNG", Expect::Loaded},
    {"wider.png", "a 65536 x 1 PNG, too wide for the BMP header", Expect::ErrorBox},
};

E2E_CASE("hostile files", "hostile pictures end in the error box or the picture, never a crash or a lost record") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string folder = picture_folder(app);
    std::string stats_before;
    REQUIRE(read_stats(app, stats_before));
    // A known picture to fall back on.
    const BlockPicture first = block_picture(64, 64, 8, 8, 30);
    REQUIRE(write_block_bmp(folder + "first.bmp", first));
    REQUIRE(load_pic(app, "first.bmp").dialog_closed);

    for (const HostilePicture& hostile : HOSTILE_PICTURES) {
        const std::string when = std::string(hostile.file) + ", " + hostile.what;
        Image previous, preview_before;
        REQUIRE(check_snapshot_file(app, previous, "before " + when));
        REQUIRE(capture_preview(app, preview_before));
        BlockPicture shown;
        REQUIRE(write_file(folder + hostile.file, hostile_bytes(hostile.file, folder, shown)));

        scramble_board(app);
        const LoadOutcome outcome = load_pic(app, hostile.file);
        CHECK_EQ_AT(outcome.dialog_closed, true, when);
        CHECK_EQ_AT(responsive(app), true, when + ": the program answers");
        REQUIRE(responsive(app));
        if (hostile.expect == Expect::ErrorBox) {
            CHECK_EQ_AT(outcome.box_text, std::string("Image failed to load. . . "), when);
            CHECK_EQ_AT(outcome.box_caption, std::string("Tessary Error"), when);
        } else {
            CHECK_EQ_AT(outcome.box_shown, false, when + ": no message box (" + outcome.box_text + ")");
        }

        Image snapshot, preview;
        if (!check_snapshot_file(app, snapshot, when)) continue;
        REQUIRE(capture_preview(app, preview));
        const bool unchanged = image_difference(snapshot, previous) == 0 && image_difference(preview, preview_before) == 0;
        const bool loaded = block_centre_error(snapshot, shown) <= 6 && image_difference(preview, snapshot) <= 2;
        Image decoded;
        switch (hostile.expect) {
            case Expect::ErrorBox: CHECK_EQ_AT(unchanged, true, when + ": previous picture kept"); break;
            case Expect::Loaded: CHECK_EQ_AT(loaded, true, when + ": picture shown"); break;
            case Expect::Decoded:
                CHECK_EQ_AT(decode_like_program(folder + hostile.file, decoded) &&
                                image_difference(snapshot, decoded) <= 2 && image_difference(preview, snapshot) <= 2,
                            true, when + ": picture shown");
                break;
        }
        check_own_faces(app, snapshot, when);
        Cells cells;
        CHECK_EQ_AT(app.read_board(cells) && cells == ordered_cells(), true, when + ": board in order");
        std::string stats;
        CHECK_EQ_AT(read_stats(app, stats) && stats == stats_before, true, when + ": best record untouched");
    }
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

// Best-record files as a player or a crash might leave them.
struct RecordFile {
    const char* what;
    std::string content;
    bool folder;             // "stats.txt" is a folder instead
    const char* best_time;   // texts shown at start
    const char* best_moves;
    bool beaten;             // a game of a few seconds sets a new record
};

const RecordFile RECORD_FILES[] = {
    {"empty file", "", false, "0:00", "0", true},
    {"letters", "abc", false, "0:00", "0", true},
    {"two fields", "3 07", false, "0:00", "0", true},
    {"seconds 99", "3 99 10", false, "0:00", "0", true},
    {"negative minutes", "-1 05 3", false, "0:00", "0", true},
    {"eleven-digit minutes", "99999999999 1 1", false, "0:00", "0", true},
    {"binary garbage", std::string("\x00\xff\x13\x37 \x89PNG\r\n\x1a\n\x00\x01", 16), false, "0:00", "0", true},
    {"1 MB of digits", std::string(1 << 20, '7'), false, "0:00", "0", true},
    {"leading spaces", "   0 01 5 ", false, "0:01", "5", false},
    {"trailing newline", "0 01 5\n", false, "0:01", "5", false},
    {"a folder", "", true, "0:00", "0", true},  // the record is kept in the player's place then
};

E2E_CASE("hostile files", "malformed or folder best-record files: start-up keeps them, a solved game records against 59:59") {
    for (const RecordFile& record : RECORD_FILES) {
        const std::string folder = make_scratch_folder();
        const std::string stats_path = folder + "\\stats.txt";
        if (record.folder)
            REQUIRE(CreateDirectoryA(stats_path.c_str(), nullptr));
        else
            REQUIRE(write_file(stats_path, record.content));
        App app(folder);
        CHECK_EQ_AT(app.running_window(), true, record.what);
        if (!app.running_window()) continue;
        CHECK_EQ_AT(app.text(BEST_TIME), std::string(record.best_time), record.what);
        CHECK_EQ_AT(app.text(LEAST_MOVES), std::string(record.best_moves), record.what);
        std::string stored;
        const DWORD attributes = GetFileAttributesA(stats_path.c_str());
        if (record.folder)
            CHECK_EQ_AT(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY), true,
                        std::string(record.what) + ": still a folder after start-up");
        else
            CHECK_EQ_AT(read_file(stats_path, stored) && stored == record.content, true,
                        std::string(record.what) + ": file kept at start-up");

        app.click(NEW_GAME);
        for (int i = 0; i < 3; ++i) app.tick();
        const PlayResult played = play_to(app, ordered_cells());
        CHECK_EQ_AT(played.reached, true, record.what);
        CHECK_EQ_AT(responsive(app), true, std::string(record.what) + ": the program answers after the game");
        CHECK_EQ_AT(app.text(RESULT), std::string("Solved"), record.what);
        const std::string finish = app.text(TIME);
        std::string after;
        if (record.beaten) {
            const int seconds = clock_seconds(finish);
            char bytes[48];
            std::snprintf(bytes, sizeof bytes, "%d %02d %d ", seconds / 60, seconds % 60, played.clicks);
            CHECK_EQ_AT(app.text(BEST_TIME), finish, record.what);
            CHECK_EQ_AT(app.text(LEAST_MOVES), std::to_string(played.clicks), record.what);
            const std::string kept = record.folder ? players_place(folder) + "\\stats.txt" : stats_path;
            CHECK_EQ_AT(read_file(kept, after) && after == bytes, true,
                        std::string(record.what) + ": the new record is stored");
        } else {
            CHECK_EQ_AT(app.text(BEST_TIME), std::string(record.best_time), record.what);
            CHECK_EQ_AT(app.text(LEAST_MOVES), std::string(record.best_moves), record.what);
            if (!record.folder)
                CHECK_EQ_AT(read_file(stats_path, after) && after == record.content, true,
                            std::string(record.what) + ": file unchanged by a slower game");
        }
        if (record.folder) {
            const DWORD now = GetFileAttributesA(stats_path.c_str());
            CHECK_EQ_AT(now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_DIRECTORY), true,
                        std::string(record.what) + ": still a folder after the game");
        }
        CHECK_EQ_AT(app.close_and_wait(), DWORD(0), record.what);
    }
}

}  // namespace
}  // namespace e2e
