// The main window's control table and the button faces: what start-up creates
// and what each button shows.
#include "app/control_table.h"
#include "board/board.h"
#include "graphics/face_table.h"
#include "ids/resource_ids.h"
#include "sound/sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace {

constexpr int WINDOW_WIDTH = 742;
constexpr int WINDOW_HEIGHT = 451;
constexpr int PICTURE_SIZE = 192;  // the preview panel grows to its bitmap

const ControlRow& row_of(int id) {
    for (const ControlRow& row : CONTROL_TABLE)
        if (row.id == id) return row;
    ADD_FAILURE() << "no control " << id;
    return CONTROL_TABLE[0];
}

bool is_button(const ControlRow& row) { return std::strcmp(row.class_name, "BUTTON") == 0; }

// A control's rectangle once shown: the preview panel takes its picture's size.
struct Box {
    int left, top, right, bottom;
};
Box box_of(const ControlRow& row) {
    const int width = row.id == ID_PREVIEW ? std::max(row.width, PICTURE_SIZE) : row.width;
    const int height = row.id == ID_PREVIEW ? std::max(row.height, PICTURE_SIZE) : row.height;
    return {row.x, row.y, row.x + width, row.y + height};
}

}  // namespace

TEST(ControlTable, ControlsAreCreatedInTheFixedOrder) {
    const std::vector<int> expected = {600,  700,  2800, 900,  1100, 1300, 4000, 4400, 3500, 3600, 1350,
                                       1400, 1450, 1500, 1550, 1600, 1700, 1750, 1800, 1900, 1950, 2000,
                                       2100, 2150, 2200, 3800, 2400, 2300, 2500, 4150, 4200};
    std::vector<int> created;
    for (const ControlRow& row : CONTROL_TABLE) created.push_back(row.id);
    EXPECT_EQ(created, expected);
}

TEST(ControlTable, EveryTileStartsOnTheCellItHoldsInTheOrderedBoard) {
    for (int t = 1; t <= 15; ++t) {
        const ControlRow& row = CONTROL_TABLE[10 + t - 1];
        EXPECT_EQ(row.id, TILE_IDS[t]) << "tile " << t;
        EXPECT_EQ((Point{row.x, row.y}), cell_position(t)) << "tile " << t;
        EXPECT_EQ(row.width, TILE_SIZE);
        EXPECT_EQ(row.height, TILE_SIZE);
        EXPECT_EQ(row.style, STYLE_OWNER_DRAWN);
    }
}

// What the player can click: no two shown controls share a pixel, and each
// hidden face lies exactly on the shown face it swaps with.
TEST(ControlTable, ShownControlsNeverOverlapAndEachHiddenFaceCoversItsPartner) {
    const std::pair<int, int> partners[] = {{ID_CHECKBOX_EMPTY, ID_CHECKBOX_CHECKED}, {ID_SOUND_OFF, ID_SOUND_ON}};
    for (const ControlRow& a : CONTROL_TABLE) {
        const Box p = box_of(a);
        EXPECT_TRUE(p.left >= 0 && p.top >= 0 && p.right <= WINDOW_WIDTH && p.bottom <= WINDOW_HEIGHT) << a.id;
        if (a.starts_hidden) {
            int partner = 0;
            for (auto [hidden, shown] : partners)
                if (hidden == a.id) partner = shown;
            ASSERT_NE(partner, 0) << a.id << " starts hidden";
            const Box q = box_of(row_of(partner));
            EXPECT_TRUE(p.left == q.left && p.top == q.top && p.right == q.right && p.bottom == q.bottom) << a.id;
            continue;
        }
        for (const ControlRow& b : CONTROL_TABLE) {
            if (&a == &b || b.starts_hidden) continue;
            const Box q = box_of(b);
            EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom)
                << a.id << " overlaps " << b.id;
        }
    }
    int hidden = 0;
    for (const ControlRow& row : CONTROL_TABLE) hidden += row.starts_hidden;
    EXPECT_EQ(hidden, 2);
}

TEST(ControlTable, StaticsHaveTheirStylesTextsAndFonts) {
    EXPECT_EQ(row_of(ID_PREVIEW).style, STYLE_PICTURE);
    EXPECT_TRUE(row_of(ID_PREVIEW).shows_picture);
    EXPECT_STREQ(row_of(ID_TIME).initial_text, "0:00");
    EXPECT_STREQ(row_of(ID_MOVES).initial_text, "0");
    for (int id : {ID_TIME, ID_MOVES}) {
        EXPECT_EQ(row_of(id).style, STYLE_PLAIN_TEXT);
        EXPECT_FALSE(row_of(id).gui_font) << id;  // the system font
    }
    for (int id : {ID_RESULT, ID_BEST_TIME, ID_LEAST_MOVES}) {
        EXPECT_EQ(row_of(id).style, STYLE_CENTRED_TEXT) << id;
        EXPECT_TRUE(row_of(id).gui_font) << id;
        EXPECT_EQ(row_of(id).initial_text, nullptr) << id;  // filled by the game
    }
    int pictures = 0;
    for (const ControlRow& row : CONTROL_TABLE) pictures += row.shows_picture;
    EXPECT_EQ(pictures, 1);
}

TEST(ControlTable, IdentifiersNeverCoincideWithFacesWavesSkinOrIcons) {
    std::set<int> controls;
    for (const ControlRow& row : CONTROL_TABLE) {
        EXPECT_TRUE(controls.insert(row.id).second) << "duplicate control " << row.id;
        EXPECT_EQ(row.id % 50, 0) << row.id;
    }
    std::set<int> faces;
    for (const FaceRow& row : FACE_TABLE) faces.insert({row.face, row.pressed_face});
    std::set<int> waves;
    for (const SoundShape& sound : SOUND_TABLE) waves.insert(sound.id);

    std::set<int> everything = controls;
    for (const std::set<int>* others : {&faces, &waves}) {
        for (int id : *others) {
            EXPECT_EQ(id % 50, 0) << id;
            EXPECT_FALSE(everything.count(id)) << id << " is used twice";
        }
        everything.insert(others->begin(), others->end());
    }
    for (int other : {int(SKIN_BITMAP), int(ICON_GROUP_PROGRAM), int(ICON_GROUP_SMALL)}) EXPECT_FALSE(everything.count(other)) << other;
}

TEST(FaceTable, EveryButtonButTheTilesHasAFaceAndStaticsHaveNone) {
    for (const ControlRow& row : CONTROL_TABLE) {
        const bool wants_face = is_button(row) && tile_for_control(row.id) == 0;
        for (bool pressed : {false, true})
            EXPECT_EQ(face_for(row.id, pressed) != 0, wants_face) << row.id << (pressed ? " pressed" : "");
    }
    for (const FaceRow& face : FACE_TABLE) EXPECT_TRUE(is_button(row_of(face.control_id))) << face.control_id;
}

TEST(FaceTable, OnlyTheCommandButtonsLookDifferentWhenPressed) {
    for (int id : {ID_NEW_GAME, ID_LOAD_PIC, ID_CANCEL, ID_HELP, ID_MINIMIZE, ID_CLOSE})
        EXPECT_NE(face_for(id, false), face_for(id, true)) << id;
    for (int id : {ID_CHECKBOX_EMPTY, ID_CHECKBOX_CHECKED, ID_SOUND_ON, ID_SOUND_OFF})
        EXPECT_EQ(face_for(id, false), face_for(id, true)) << id;
    // The two faces of a pair are told apart: ticked or not, speaker on or off.
    EXPECT_NE(face_for(ID_CHECKBOX_EMPTY, false), face_for(ID_CHECKBOX_CHECKED, false));
    EXPECT_NE(face_for(ID_SOUND_ON, false), face_for(ID_SOUND_OFF, false));
}
