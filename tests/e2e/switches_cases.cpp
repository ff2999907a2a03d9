// The check box (preset or random deals) and the sound switch: the two faces
// of each swap places, and the deal kind follows the box.
#include "app.h"
#include "check.h"
#include "game_ids.h"
#include "play.h"
#include "presets.h"

namespace e2e {
namespace {

E2E_CASE("switches", "the check box swaps its faces and switches NEW GAME to random deals and back") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    CHECK(app.visible(CHECKBOX_CHECKED));
    CHECK(!app.visible(CHECKBOX_EMPTY));
    app.click(CHECKBOX_CHECKED);
    CHECK(!app.visible(CHECKBOX_CHECKED));
    CHECK(app.visible(CHECKBOX_EMPTY));
    CHECK_EQ(app.text(RESULT), std::string(""));  // no game starts

    // A random deal: almost surely none of the presets.
    Cells cells{};
    bool random_seen = false;
    for (int deal = 0; deal < 5 && !random_seen; ++deal) {
        if (deal > 0) app.click(CANCEL);
        app.click(NEW_GAME);
        REQUIRE(app.read_board(cells));
        CHECK(is_permutation(cells));
        random_seen = preset_number(cells) == 0;
    }
    CHECK(random_seen);

    // Ticking the box during a game swaps the faces but keeps the board.
    app.click(CHECKBOX_EMPTY);
    CHECK(app.visible(CHECKBOX_CHECKED));
    CHECK(!app.visible(CHECKBOX_EMPTY));
    Cells during;
    REQUIRE(app.read_board(during));
    CHECK(during == cells);
    CHECK_EQ(app.text(RESULT), std::string(" "));

    // The next games are preset deals again.
    for (int deal = 0; deal < 3; ++deal) {
        app.click(CANCEL);
        app.click(NEW_GAME);
        REQUIRE(app.read_board(cells));
        CHECK_EQ_AT(preset_number(cells) != 0, true, "deal " + std::to_string(deal + 1));
    }
}

E2E_CASE("switches", "the sound switch swaps the speaker faces in either state of a game") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    CHECK(app.visible(SOUND_ON));
    CHECK(!app.visible(SOUND_OFF));
    app.click(SOUND_ON);
    CHECK(!app.visible(SOUND_ON));
    CHECK(app.visible(SOUND_OFF));
    app.click(SOUND_OFF);
    CHECK(app.visible(SOUND_ON));
    CHECK(!app.visible(SOUND_OFF));
    app.click(NEW_GAME);
    app.click(SOUND_ON);
    CHECK(!app.visible(SOUND_ON));
    CHECK(app.visible(SOUND_OFF));
    // Muted, tiles still move and count.
    Cells cells;
    REQUIRE(app.read_board(cells));
    const int tile = tile_next_to_empty(cells);
    app.click(TILE_ID[tile]);
    REQUIRE(slide(cells, tile));
    Cells after;
    REQUIRE(app.read_board(after));
    CHECK(after == cells);
    CHECK_EQ(app.text(MOVES), std::string("1"));
    // Both faces share one rectangle.
    const ClientRect on = app.rect(SOUND_ON), off = app.rect(SOUND_OFF);
    CHECK(on.x == off.x && on.y == off.y && on.width == off.width && on.height == off.height);
}

}  // namespace
}  // namespace e2e
