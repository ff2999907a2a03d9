// Tile faces on the screen: each tile shows its own cell of the number picture,
// wherever the tile stands.
#include <windows.h>

#include <cstdio>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "image.h"
#include "play.h"
#include "soak.h"

namespace e2e {
namespace {

E2E_CASE("tile faces", "each tile shows its own cell of PuzNumbs.bmp, before and after a deal") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    Image picture;
    REQUIRE(read_bmp(app.folder() + "\\BmpImages\\PuzNumbs.bmp", picture));
    std::printf("    PuzNumbs.bmp is %d x %d\n", picture.width, picture.height);
    REQUIRE(picture.width >= 4 && picture.height >= 4);
    check_faces(app, picture, "at start");
    app.click(NEW_GAME);
    check_faces(app, picture, "after NEW GAME");
    Cells cells;
    REQUIRE(app.read_board(cells));
    app.click(TILE_ID[tile_next_to_empty(cells)]);
    check_faces(app, picture, "after a move");
}

E2E_CASE("tile faces", "while another program holds the current picture open to rename or delete it, the tiles keep their faces") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    REQUIRE(choose_picture(app, "clown.bmp"));
    const std::string current = current_picture_path(app);
    Image picture;
    REQUIRE(read_bmp(current, picture));
    // As a file manager, a sync tool or a virus scanner holds it: with the right to delete it.
    HANDLE held = CreateFileA(current.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    RedrawWindow(app.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    check_faces(app, picture, "drawn while another program holds the picture");
    CloseHandle(held);
}

}  // namespace
}  // namespace e2e
