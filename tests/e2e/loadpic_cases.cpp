// LOAD PIC through the real open-file dialog: every picture format ends as the
// 192 x 192 snapshot the tiles are cut from; a PNG that cannot be decoded, a
// cancelled dialog and a LOAD PIC during a game keep the picture; the snapshot
// comes from the panel's picture, not from the screen.
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

// Block centres of a lossless picture survive the scaling to 192 x 192 almost exactly.
const int BLOCK_TOLERANCE = 6;
// The preview on the screen shows the snapshot's pixels.
const int SCREEN_TOLERANCE = 2;

std::string note(const std::string& what, const std::string& when) { return what + " (" + when + ")"; }

// After a successful LOAD PIC: the snapshot file, the preview showing it, the
// tiles cut from it, the board in order. Returns the snapshot's pixels.
Image check_loaded(App& app, const std::string& when) {
    Image snapshot;
    if (!check_snapshot_file(app, snapshot, when)) return snapshot;
    Image preview;
    if (CHECK_EQ_AT(capture_preview(app, preview), true, note("preview capture", when)))
        CHECK_EQ_AT(image_difference(preview, snapshot) <= SCREEN_TOLERANCE, true, note("preview shows the snapshot", when));
    check_faces(app, snapshot, when.c_str());
    Cells cells;
    CHECK_EQ_AT(app.read_board(cells) && cells == ordered_cells(), true, note("board in order", when));
    return snapshot;
}

// A screenshot point named after a file ("loaded-sunset_jpg").
void shot(const App& app, std::string name) {
    for (char& c : name)
        if (c == '.') c = '_';
    screenshot_point(app, ("loaded-" + name).c_str());
}

void check_quiet_load(const LoadOutcome& outcome, const std::string& when) {
    CHECK_EQ_AT(outcome.dialog_shown, true, note("file dialog", when));
    CHECK_EQ_AT(outcome.dialog_closed, true, note("file dialog closed", when));
    CHECK_EQ_AT(outcome.box_shown, false, note("no message box: " + outcome.box_text, when));
}

struct MadePicture {
    const char* file;
    PngKind kind;     // for .png files
    int width, height, columns, rows;
    bool grey;
};

const MadePicture MADE_PICTURES[] = {
    {"blocks_rgb.png", PngKind::Rgb, 64, 48, 8, 8, false},
    {"blocks_alpha.png", PngKind::Rgba, 100, 100, 8, 8, false},
    {"blocks_palette.png", PngKind::Palette, 40, 40, 8, 8, false},
    {"blocks_16bit.png", PngKind::Rgb16, 96, 64, 8, 8, false},
    {"blocks_grey.png", PngKind::Grey, 50, 70, 8, 8, true},
    {"blocks.bmp", PngKind::Rgb, 120, 90, 8, 8, false},
};

E2E_CASE("load pic", "PNG of every colour type, BMP, JPEG and GIF each become the 192 x 192 snapshot, preview and tiles") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string folder = picture_folder(app);
    unsigned seed = 1;
    for (const MadePicture& made : MADE_PICTURES) {
        const BlockPicture picture =
            block_picture(made.width, made.height, made.columns, made.rows, seed++, made.grey);
        const std::string path = folder + made.file;
        const bool bmp = std::string(made.file).find(".bmp") != std::string::npos;
        REQUIRE(bmp ? write_block_bmp(path, picture) : write_file(path, png_bytes(picture, made.kind)));

        scramble_board(app);
        const LoadOutcome outcome = load_pic(app, made.file);
        check_quiet_load(outcome, made.file);
        const Image snapshot = check_loaded(app, made.file);
        std::string where;
        const int error = block_centre_error(snapshot, picture, &where);
        CHECK_EQ_AT(error <= BLOCK_TOLERANCE, true, note("snapshot shows the picture, worst " + where, made.file));
        shot(app, made.file);
    }
    // The shipped photographs: the expectation is what the picture loader itself makes of them.
    for (const char* sample : {"sunset.jpg", "flower.gif"}) {
        Image expected;
        REQUIRE(decode_like_program(folder + sample, expected));
        scramble_board(app);
        check_quiet_load(load_pic(app, sample), sample);
        const Image snapshot = check_loaded(app, sample);
        const int difference = image_difference(snapshot, expected);
        std::printf("    %s: largest difference from the loader's own decoding %d\n", sample, difference);
        CHECK_EQ_AT(difference <= SCREEN_TOLERANCE, true, note("snapshot is the decoded picture", sample));
        shot(app, sample);
    }
}

E2E_CASE("load pic", "a PNG that cannot be decoded shows the error box and keeps the previous picture") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string folder = picture_folder(app);
    const BlockPicture before = block_picture(64, 64, 8, 8, 7);
    REQUIRE(write_block_bmp(folder + "before.bmp", before));
    check_quiet_load(load_pic(app, "before.bmp"), "before.bmp");
    Image previous;
    REQUIRE(check_snapshot_file(app, previous, "before.bmp"));

    // A real PNG with its pixel data overwritten: header fine, IDAT broken.
    std::string png = png_bytes(block_picture(64, 64, 8, 8, 8), PngKind::Rgb);
    const std::size_t idat = png.find("IDAT");
    REQUIRE(idat != std::string::npos && png.size() > idat + 40);
    for (std::size_t i = idat + 6; i < idat + 36; ++i) png[i] = char(0xA5 ^ i);
    REQUIRE(write_file(folder + "corrupt.png", png));

    scramble_board(app);
    const LoadOutcome outcome = load_pic(app, "corrupt.png");
    CHECK(outcome.dialog_closed);
    CHECK(outcome.box_shown);
    CHECK_EQ(outcome.box_text, std::string("Image failed to load. . . "));
    CHECK_EQ(outcome.box_caption, std::string("Tessary Error"));
    CHECK(responsive(app));
    // The old snapshot is loaded and saved again: the same pixels everywhere.
    const Image after = check_loaded(app, "after corrupt.png");
    CHECK_EQ(image_difference(after, previous), 0);
    shot(app, "corrupt.png");
}

E2E_CASE("load pic", "a cancelled dialog keeps picture, board and tiles and rewrites the current picture from the panel") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string folder = picture_folder(app);
    const BlockPicture picture = block_picture(80, 80, 8, 8, 11);
    REQUIRE(write_block_bmp(folder + "kept.bmp", picture));
    check_quiet_load(load_pic(app, "kept.bmp"), "kept.bmp");
    Image previous, preview_before;
    REQUIRE(check_snapshot_file(app, previous, "kept.bmp"));
    REQUIRE(capture_preview(app, preview_before));
    scramble_board(app);
    Cells dealt;
    REQUIRE(app.read_board(dealt));

    // Without the current picture file the cancelled LOAD PIC cannot reload it,
    // so the panel keeps its picture, and the panel's pixels are written back.
    REQUIRE(DeleteFileA(current_picture_path(app).c_str()));
    const LoadOutcome outcome = load_pic_cancelled(app);
    CHECK(outcome.dialog_shown && outcome.dialog_closed && !outcome.box_shown);
    Image rewritten;
    if (check_snapshot_file(app, rewritten, "after Cancel")) CHECK_EQ(image_difference(rewritten, previous), 0);
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(cells == dealt);
    Image preview;
    REQUIRE(capture_preview(app, preview));
    CHECK_EQ(image_difference(preview, preview_before), 0);
    check_faces(app, previous, "after Cancel");
}

E2E_CASE("load pic", "LOAD PIC during a game only beeps: no dialog, picture and board unchanged") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    std::string file_before;
    REQUIRE(read_file(current_picture_path(app), file_before));
    Image preview_before;
    REQUIRE(capture_preview(app, preview_before));
    app.click(NEW_GAME);
    Cells dealt;
    REQUIRE(app.read_board(dealt));

    app.post_click(LOAD_PIC);
    app.settle();
    HWND dialog = app.find_dialog(500);
    CHECK(dialog == nullptr);
    if (dialog) press(dialog, IDCANCEL);
    CHECK(responsive(app));
    std::string file_after;
    CHECK(read_file(current_picture_path(app), file_after));
    CHECK(file_after == file_before);
    Image preview;
    REQUIRE(capture_preview(app, preview));
    CHECK_EQ(image_difference(preview, preview_before), 0);
    Cells cells;
    REQUIRE(app.read_board(cells));
    CHECK(cells == dealt);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    app.click(CANCEL);
    CHECK_EQ(app.text(RESULT), std::string("Canceled"));
}

// A window of the driver's own that stays on top of the given screen rectangle.
class Cover {
public:
    explicit Cover(const RECT& screen) {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        window_class.lpszClassName = "TessaryE2ECover";
        RegisterClassA(&window_class);  // fails harmlessly when already registered
        window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TessaryE2ECover", "", WS_POPUP | WS_VISIBLE,
                                  screen.left, screen.top, screen.right - screen.left,
                                  screen.bottom - screen.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
        pump();
    }
    ~Cover() {
        if (window_) DestroyWindow(window_);
        pump();
    }
    Cover(const Cover&) = delete;
    Cover& operator=(const Cover&) = delete;
    bool shown() const { return window_ != nullptr; }
    static void pump() {
        for (int i = 0; i < 5; ++i) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(30);
        }
    }

private:
    HWND window_ = nullptr;
};

E2E_CASE("load pic", "the snapshot is the picture with the window partly off-screen and with the preview covered") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string folder = picture_folder(app);
    RECT home{};
    GetWindowRect(app.window(), &home);

    // The preview panel (client x 548 to 740) runs over the screen's left edge.
    const BlockPicture off_screen = block_picture(96, 96, 8, 8, 21);
    REQUIRE(write_block_bmp(folder + "off_screen.bmp", off_screen));
    SetWindowPos(app.window(), nullptr, -640, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.settle();
    RECT moved{};
    GetWindowRect(app.window(), &moved);
    CHECK_EQ(int(moved.left), -640);
    check_quiet_load(load_pic(app, "off_screen.bmp"), "off_screen.bmp");
    Image snapshot;
    if (check_snapshot_file(app, snapshot, "window off-screen")) {
        std::string where;
        CHECK_EQ_AT(block_centre_error(snapshot, off_screen, &where) <= BLOCK_TOLERANCE, true,
                    "off-screen snapshot, worst " + where);
    }
    SetWindowPos(app.window(), nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.settle();
    check_faces(app, snapshot, "back on screen");

    // Another window over the preview panel.
    const BlockPicture covered = block_picture(96, 96, 8, 8, 22);
    REQUIRE(write_block_bmp(folder + "covered.bmp", covered));
    RECT panel{};
    GetWindowRect(app.control(PREVIEW), &panel);
    {
        Cover cover(panel);
        REQUIRE(cover.shown());
        check_quiet_load(load_pic(app, "covered.bmp"), "covered.bmp");
        Cover::pump();
        Image seen;
        if (capture_preview(app, seen))
            std::printf("    a screen copy of the covered preview is %s the picture\n",
                        block_centre_error(seen, covered) <= BLOCK_TOLERANCE ? "still" : "not");
        if (check_snapshot_file(app, snapshot, "preview covered")) {
            std::string where;
            CHECK_EQ_AT(block_centre_error(snapshot, covered, &where) <= BLOCK_TOLERANCE, true,
                        "covered snapshot, worst " + where);
        }
    }
    app.settle();
    check_faces(app, snapshot, "cover gone");
}

}  // namespace
}  // namespace e2e
