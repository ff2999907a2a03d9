// Tile faces on the screen: each tile shows its own cell of the number picture,
// wherever the tile stands.
#include <cstdio>

#include "app.h"
#include "check.h"
#include "faces.h"
#include "game_ids.h"
#include "image.h"
#include "play.h"

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

}  // namespace
}  // namespace e2e
