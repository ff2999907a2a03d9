// Pictures that neither the PNG import nor the picture loader can read, whatever
// their names promise: the error box, and the panel, the current picture and
// the tiles keep what they showed.
#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "pictures.h"
#include "play.h"

namespace e2e {
namespace {

E2E_CASE("load pic", "a truncated .Png and a text file named .gif show the error box and change no picture") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string folder = picture_folder(app);
    const std::string png = png_bytes(block_picture(64, 64, 8, 8, 41), PngKind::Rgb);
    REQUIRE(png.size() > 100);
    REQUIRE(write_file(folder + "truncated.Png", png.substr(0, png.size() / 2)));
    REQUIRE(write_file(folder + "notes.gif", "Not a picture at all.\r\n"));

    Image numbers, preview_before;
    REQUIRE(read_bmp(folder + "PuzNumbs.bmp", numbers));
    REQUIRE(capture_preview(app, preview_before));
    std::string current_before;
    REQUIRE(read_file(current_picture_path(app), current_before));

    for (const char* name : {"truncated.Png", "notes.gif"}) {
        scramble_board(app);
        const LoadOutcome outcome = load_pic(app, name);
        CHECK_EQ_AT(outcome.dialog_closed, true, name);
        CHECK_EQ_AT(outcome.box_text, std::string("Image failed to load. . . "), name);
        CHECK_EQ_AT(outcome.box_caption, std::string("Tessary Error"), name);
        CHECK_EQ_AT(responsive(app), true, name);
        Image preview;
        CHECK_EQ_AT(capture_preview(app, preview) && image_difference(preview, preview_before) == 0, true,
                    std::string(name) + ": the preview keeps its picture");
        std::string current;
        CHECK_EQ_AT(read_file(current_picture_path(app), current) && current == current_before, true,
                    std::string(name) + ": the current picture is not rewritten");
        // The tiles are still cut from the number picture itself, and stand in order.
        check_faces(app, numbers, name);
        Cells cells;
        CHECK_EQ_AT(app.read_board(cells) && cells == ordered_cells(), true, std::string(name) + ": board in order");
    }
}

}  // namespace
}  // namespace e2e
