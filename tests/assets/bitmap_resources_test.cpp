// The generated bitmaps and icons: sizes and depth against the game's face
// table, the skin lining up with the controls that stand on it at every drawn
// scale, the faces looking as their state says, the picture folder and the
// help file.
#include <gtest/gtest.h>

#include <lodepng.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>

#include "app/control_table.h"
#include "asset_files.h"
#include "graphics/face_table.h"
#include "graphics/scaled_art.h"
#include "ids/display_scale.h"

using namespace asset_files;

namespace {

const std::string DIR = TESSARY_ASSETS_DIR;
const std::string DIST = TESSARY_DIST_DIR;

struct Expected {
    int id, width, height;
};

const Expected SKIN = {40, 742, 451};  // the whole window, as PNG data

// The faces of every owner-drawn button, as the game's face table lists them.
const Expected BITMAPS[] = {
    {200, 95, 40},   {300, 95, 40},                   // NEW GAME
    {400, 95, 40},   {500, 95, 40},                   // LOAD PIC
    {2600, 95, 40},  {2700, 95, 40},                  // CANCEL
    {750, 23, 20},   {800, 23, 18},                   // help
    {950, 23, 20},   {1000, 23, 20},                  // minimise
    {1150, 23, 20},  {1200, 23, 20},                  // close
    {3450, 12, 12},  {3550, 12, 12},                  // check box
    {4050, 22, 22},  {4100, 22, 22},                  // sound switch
};

struct Box {
    int x, y, w, h;
};

// Controls of the main window that the skin must fit (client pixels).
const Box NEW_GAME{150, 393, 95, 40}, LOAD_PIC{402, 337, 95, 40}, CANCEL{402, 287, 95, 40};
const Box SOUND{700, 414, 28, 28}, CHECKBOX{481, 52, 12, 12};
const Box TIME{436, 117, 48, 20}, MOVES{436, 184, 38, 20}, RESULT{410, 252, 80, 20};
const Box BEST_TIME{676, 364, 36, 16}, LEAST_MOVES{676, 387, 36, 16};

Bitmap bitmap(int id) {
    auto entries = script_entries(DIR + "/tessary.rc", "BITMAP");
    auto it = entries.find(id);
    return it == entries.end() ? Bitmap{} : read_bmp(DIR + "/" + it->second);
}

// A PNG resource (RCDATA) decoded to RGB.
Bitmap png_resource(int id) {
    const auto entries = script_entries(DIR + "/tessary.rc", "RCDATA");
    const auto it = entries.find(id);
    Bitmap bm;
    unsigned w = 0, h = 0;
    if (it == entries.end() || lodepng::decode(bm.rgb, w, h, DIR + "/" + it->second, LCT_RGB, 8) != 0) return bm;
    bm.ok = true;
    bm.width = int(w);
    bm.height = int(h);
    bm.bits = 24;
    return bm;
}

// The skin at one of the drawn scales as the program rebuilds it: the 100 %
// skin enlarged, plus its correction for that scale.
Bitmap skin_at(int scale) {
    Bitmap skin = png_resource(SKIN.id);
    if (scale == 0 || !skin.ok) return skin;
    const Bitmap correction = png_resource(scaled_art_id(SKIN.id, scale));
    Bitmap big = correction;
    if (!correction.ok) return big;
    enlarge({skin.rgb.data(), skin.width, skin.height, size_t(skin.width) * 3},
            {big.rgb.data(), big.width, big.height, size_t(big.width) * 3});
    for (int y = 0; y < big.height; ++y)
        add_correction(&big.rgb[size_t(y) * big.width * 3], &correction.rgb[size_t(y) * big.width * 3], big.width, false);
    return big;
}

// A box of the game's layout as the program places it at a drawn scale.
Box at_scale(const Box& b, int scale) {
    const ScaledRect r = scaled_rect(b.x, b.y, b.w, b.h, ART_DPIS[scale]);
    return {r.x, r.y, r.width, r.height};
}

bool same(const uint8_t* a, const uint8_t* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

double mean_brightness(const Bitmap& b) {
    double sum = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) sum += b.brightness(x, y);
    return sum / (b.width * b.height);
}

int count(const Bitmap& b, bool (*pred)(const uint8_t*)) {
    int n = 0;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) n += pred(b.at(x, y));
    return n;
}

bool white(const uint8_t* p) { return p[0] >= 245 && p[1] >= 245 && p[2] >= 245; }
bool red(const uint8_t* p) { return p[0] > 190 && p[1] < 90 && p[2] < 90; }
bool black(const uint8_t* p) { return p[0] < 60 && p[1] < 60 && p[2] < 60; }

// Every pixel of the box has one colour; returns it through first.
bool uniform(const Bitmap& b, const Box& box, const uint8_t** first) {
    *first = b.at(box.x, box.y);
    for (int y = box.y; y < box.y + box.h; ++y)
        for (int x = box.x; x < box.x + box.w; ++x)
            if (!same(b.at(x, y), *first)) return false;
    return true;
}

class BitmapResource : public ::testing::TestWithParam<Expected> {};

TEST_P(BitmapResource, IsA24BitUncompressedBitmapOfTheListedSize) {
    const Expected& e = GetParam();
    const Bitmap b = bitmap(e.id);
    ASSERT_TRUE(b.ok) << "bitmap " << e.id << " missing or unreadable";
    EXPECT_EQ(b.width, e.width);
    EXPECT_EQ(b.height, e.height);
    EXPECT_EQ(b.bits, 24);
    EXPECT_EQ(b.compression, 0u);
    EXPECT_EQ(b.header_size, 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(b.data_offset, 54u);
    const size_t row = (static_cast<size_t>(e.width) * 3 + 3) & ~size_t(3);
    EXPECT_EQ(b.file_size, 54 + row * e.height);
    EXPECT_EQ(b.file_size_field, b.file_size);
}

INSTANTIATE_TEST_SUITE_P(FaceTable, BitmapResource, ::testing::ValuesIn(BITMAPS),
                         [](const auto& info) { return "Bitmap" + std::to_string(info.param.id); });

TEST(ResourceScript, NamesExactlyTheListedBitmapsTheirLargerDrawingsAndTheIcons) {
    std::set<int> want, got, want_data{SKIN.id, NUMBER_PICTURE_ART}, got_data;
    for (const Expected& e : BITMAPS) want.insert(e.id);
    for (const auto& [id, file] : script_entries(DIR + "/tessary.rc", "BITMAP")) got.insert(id);
    EXPECT_EQ(got, want);
    for (int scale = 1; scale < ART_SCALE_COUNT; ++scale) {
        for (int id : {SKIN.id, NUMBER_PICTURE_ART}) want_data.insert(scaled_art_id(id, scale));
        for (const Expected& e : BITMAPS) want_data.insert(scaled_art_id(e.id, scale));
    }
    for (const auto& [id, file] : script_entries(DIR + "/tessary.rc", "RCDATA")) got_data.insert(id);
    EXPECT_EQ(got_data, want_data);
    const auto icons = script_entries(DIR + "/tessary.rc", "ICON");
    EXPECT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons.count(8) + icons.count(16) + icons.count(24), 3u);
}

// Every face and the number picture, drawn for each larger scale at its size times the scale.
TEST(ScaledArt, EachDrawingHasItsSizeAtItsScale) {
    for (int scale = 1; scale < ART_SCALE_COUNT; ++scale) {
        const int dpi = ART_DPIS[scale];
        for (const Expected& e : BITMAPS) {
            const Bitmap b = png_resource(scaled_art_id(e.id, scale));
            EXPECT_TRUE(b.ok && b.width == scaled(e.width, dpi) && b.height == scaled(e.height, dpi))
                << "face " << e.id << " at " << dpi;
        }
        const Bitmap skin = skin_at(scale), numbers = png_resource(scaled_art_id(NUMBER_PICTURE_ART, scale));
        EXPECT_TRUE(skin.ok && skin.width == scaled(SKIN.width, dpi) && skin.height == scaled(SKIN.height, dpi)) << dpi;
        EXPECT_TRUE(numbers.ok && numbers.width == scaled(320, dpi) && numbers.height == scaled(320, dpi)) << dpi;
    }
    EXPECT_TRUE(skin_at(0).width == SKIN.width && skin_at(0).height == SKIN.height);
}

TEST(Icons, EachGroupHoldsTwentyFourBitImagesWithMasks48By48OrTheSmallIconAtEachLargerScale) {
    for (const auto& [id, file] : script_entries(DIR + "/tessary.rc", "ICON")) {
        const auto b = read(DIR + "/" + file);
        if (id == ICON_GROUP_SCALED) {
            ASSERT_EQ(le16(b, 4), unsigned(ART_SCALE_COUNT - 1));
            for (int scale = 1; scale < ART_SCALE_COUNT; ++scale)
                EXPECT_EQ(b[6 + 16 * (scale - 1)], scaled(16, ART_DPIS[scale]));
            continue;
        }
        ASSERT_GE(b.size(), 22u + 40u) << "icon " << id;
        EXPECT_EQ(le16(b, 0), 0u);
        EXPECT_EQ(le16(b, 2), 1u) << "an icon, not a cursor";
        EXPECT_EQ(le16(b, 4), 1u) << "one image";
        EXPECT_EQ(b[6], 48);
        EXPECT_EQ(b[7], 48);
        const uint32_t size = le32(b, 14), offset = le32(b, 18);
        EXPECT_EQ(offset + size, b.size());
        EXPECT_EQ(sle32(b, offset + 4), 48);
        EXPECT_EQ(sle32(b, offset + 8), 96) << "colour rows and mask rows";
        EXPECT_EQ(le16(b, offset + 14), 24u);
        EXPECT_EQ(size, 40u + 48 * 48 * 3 + 48 * 8);
    }
}

class SkinAtScale : public ::testing::TestWithParam<int> {};

TEST_P(SkinAtScale, FieldsAreFlatExactlyUnderTheTextControlsAndFramedAround) {
    const int scale = GetParam();
    const Bitmap skin = skin_at(scale);
    ASSERT_TRUE(skin.ok);
    // Each text control of the program's own table stands on the field painted for it.
    const std::pair<int, Box> labelled[] = {
        {ID_TIME, TIME}, {ID_MOVES, MOVES}, {ID_RESULT, RESULT}, {ID_BEST_TIME, BEST_TIME}, {ID_LEAST_MOVES, LEAST_MOVES}};
    for (const auto& [id, field] : labelled) {
        const ControlRow* row = std::find_if(std::begin(CONTROL_TABLE), std::end(CONTROL_TABLE),
                                             [id = id](const ControlRow& r) { return r.id == id; });
        ASSERT_NE(row, std::end(CONTROL_TABLE)) << id;
        EXPECT_TRUE(row->x == field.x && row->y == field.y && row->width == field.w && row->height == field.h)
            << "control " << id << " is not on the field painted for it";
    }
    for (const Box& game_box : {TIME, MOVES, RESULT, BEST_TIME, LEAST_MOVES}) {
        const Box f = at_scale(game_box, scale);
        const uint8_t* fill;
        EXPECT_TRUE(uniform(skin, f, &fill)) << "field at " << f.x << "," << f.y;
        // The pixels just outside the control belong to the frame, not to the field.
        int differ = 0, ring = 0;
        for (int x = f.x - 1; x <= f.x + f.w; ++x)
            for (int y : {f.y - 1, f.y + f.h}) {
                ++ring;
                differ += !same(skin.at(x, y), fill);
            }
        EXPECT_EQ(differ, ring) << "field at " << f.x << "," << f.y << " has no frame";
    }
    const uint8_t* fill;
    uniform(skin, at_scale(TIME, scale), &fill);
    EXPECT_TRUE(white(fill)) << "TIME LAPSED stands on a white field";
    uniform(skin, at_scale(MOVES, scale), &fill);
    EXPECT_TRUE(white(fill)) << "MOVES MADE stands on a white field";
    uniform(skin, at_scale(RESULT, scale), &fill);
    EXPECT_FALSE(white(fill)) << "GAME RESULT stands on a beige field";
    EXPECT_GT(fill[0], fill[2] + 20) << "beige is warm";
}

TEST_P(SkinAtScale, ButtonGroundMatchesTheCornersOfTheirFaces) {
    const int scale = GetParam();
    const Bitmap skin = skin_at(scale);
    struct Under { Box box; int face; };
    for (const Under& u : {Under{NEW_GAME, 200}, {LOAD_PIC, 400}, {CANCEL, 2600}, {NEW_GAME, 300}, {SOUND, 4050}}) {
        const Bitmap face = scale ? png_resource(scaled_art_id(u.face, scale)) : bitmap(u.face);
        ASSERT_TRUE(face.ok);
        const uint8_t* ground;
        EXPECT_TRUE(uniform(skin, at_scale(u.box, scale), &ground)) << "face " << u.face;
        EXPECT_TRUE(same(face.at(0, 0), ground)) << "the rounded corners of face " << u.face << " would show a seam";
        EXPECT_TRUE(same(face.at(face.width - 1, face.height - 1), ground));
    }
}

TEST_P(SkinAtScale, PaintsAnEmptyCheckBoxUnderTheCheckBoxButtons) {
    const int scale = GetParam();
    const Bitmap skin = skin_at(scale), empty = scale ? png_resource(scaled_art_id(3450, scale)) : bitmap(3450);
    const Box box = at_scale(CHECKBOX, scale);
    ASSERT_EQ(empty.width, box.w);
    for (int y = 0; y < box.h; ++y)
        for (int x = 0; x < box.w; ++x)
            EXPECT_TRUE(same(skin.at(box.x + x, box.y + y), empty.at(x, y))) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(DrawnScales, SkinAtScale, ::testing::Range(0, ART_SCALE_COUNT),
                         [](const auto& info) { return std::to_string(ART_DPIS[info.param]) + "dpi"; });

TEST(Skin, PreviewAreaIsBlackAndTheTitleStripCopper) {
    const Bitmap skin = skin_at(0);
    for (int y = 30; y < 208; y += 7)
        for (int x = 550; x < 737; x += 7) EXPECT_TRUE(black(skin.at(x, y))) << x << "," << y;
    const uint8_t* title = skin.at(300, 12);
    EXPECT_GT(title[0], title[1]);
    EXPECT_GT(title[1], title[2]);
}

TEST(Skin, EmptyCellShowsDarkWoodWithLightGroovesOnTheCellBoundaries) {
    const Bitmap skin = skin_at(0);
    long wood = 0, groove = 0;
    for (int y = 300; y < 370; ++y) {
        wood += skin.brightness(300, y);
        groove += skin.brightness(272, y);  // the gap between the third and fourth column
    }
    EXPECT_LT(wood / 70, 3 * 130) << "the board is dark wood";
    EXPECT_GT(groove, wood + 70 * 60) << "grooves are lighter than the wood";
    long across = 0;
    for (int x = 280; x < 350; ++x) across += skin.brightness(x, 296);  // the gap above the last row
    EXPECT_GT(across, wood + 70 * 60);
}

TEST(Faces, BigButtonsHaveAWhiteCaptionUntilPressed) {
    for (int id : {200, 400, 2600}) {
        const Bitmap up = bitmap(id), down = bitmap(id + 100);
        ASSERT_TRUE(up.ok && down.ok);
        EXPECT_GT(count(up, white), 40) << id;
        EXPECT_EQ(count(down, white), 0) << id + 100 << ": the pressed caption is grey";
        EXPECT_LT(mean_brightness(down), mean_brightness(up)) << "pressed is darker";
    }
}

TEST(Faces, TitleBarSymbolsAreWhiteUntilPressed) {
    for (auto [up_id, down_id] : {std::pair{750, 800}, {950, 1000}, {1150, 1200}}) {
        const Bitmap up = bitmap(up_id), down = bitmap(down_id);
        ASSERT_TRUE(up.ok && down.ok);
        EXPECT_GT(count(up, white), 8) << up_id;
        EXPECT_EQ(count(down, white), 0) << down_id;
        EXPECT_LT(mean_brightness(down), mean_brightness(up));
    }
}

// Through the game's face table, so each button is checked with the face it really shows.
TEST(Faces, OnlyTheTickedCheckBoxHasATick) {
    const Bitmap empty = bitmap(face_for(ID_CHECKBOX_EMPTY, false)), ticked = bitmap(face_for(ID_CHECKBOX_CHECKED, false));
    int inside_empty = 0, inside_ticked = 0;
    for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 10; ++x) {
            inside_empty += black(empty.at(x, y));
            inside_ticked += black(ticked.at(x, y));
        }
    EXPECT_EQ(inside_empty, 0);
    EXPECT_GT(inside_ticked, 6);
}

TEST(Faces, OnlyTheMutedSpeakerIsCrossedOutInRed) {
    // ID_SOUND_ON is shown while moves are heard; clicking it mutes them.
    EXPECT_EQ(count(bitmap(face_for(ID_SOUND_ON, false)), red), 0);
    EXPECT_GT(count(bitmap(face_for(ID_SOUND_OFF, false)), red), 20);
}

TEST(NumberPicture, HoldsFifteenDifferentTilesAndAPlainLastCell) {
    const Bitmap b = read_bmp(DIST + "/BmpImages/PuzNumbs.bmp");
    ASSERT_TRUE(b.ok);
    ASSERT_EQ(b.width, 320);
    ASSERT_EQ(b.height, 320);
    auto numeral_pixels = [&](int cell) {  // strongly red pixels in the middle of a cell
        int n = 0;
        for (int y = 15; y < 65; ++y)
            for (int x = 15; x < 65; ++x) {
                const uint8_t* p = b.at(cell % 4 * 80 + x, cell / 4 * 80 + y);
                n += p[0] > 120 && p[0] > p[1] + 60 && p[0] > p[2] + 60;
            }
        return n;
    };
    std::set<int> distinct;
    for (int cell = 0; cell < 15; ++cell) {
        EXPECT_GT(numeral_pixels(cell), 100) << "tile " << cell + 1 << " shows no number";
        distinct.insert(numeral_pixels(cell));
    }
    EXPECT_GT(distinct.size(), 10u) << "the tiles should not all look alike";
    EXPECT_EQ(numeral_pixels(15), 0) << "the last cell is plain";
}

TEST(PictureFolder, ShipsTheNumberPictureThePlayerPicturesAndOneOfEachFormat) {
    for (const char* name : {"PuzNumbs.bmp", "clown.bmp", "xmasbells.bmp", "santa.bmp"}) {
        const Bitmap b = read_bmp(DIST + "/BmpImages/" + name);
        EXPECT_TRUE(b.ok) << name;
    }
    const auto png = read(DIST + "/BmpImages/landscape.png");
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    const auto jpg = read(DIST + "/BmpImages/sunset.jpg");
    ASSERT_GE(jpg.size(), 3u);
    EXPECT_EQ(jpg[0], 0xFF);
    EXPECT_EQ(jpg[1], 0xD8);
    const auto gif = read(DIST + "/BmpImages/flower.gif");
    EXPECT_EQ(tag(gif, 0), "GIF8");
}

TEST(HelpFile, IsACompiledHtmlHelpFileBesideTheProgram) {
    const auto chm = read(DIST + "/tessary-help.chm");
    EXPECT_EQ(tag(chm, 0), "ITSF");
    EXPECT_GT(chm.size(), 4000u);
}

TEST(Generator, MakesTheSameBytesOnEveryRun) {
    namespace fs = std::filesystem;
    const fs::path again = fs::temp_directory_path() / ("tessary-assets-" + std::to_string(::getpid()));
    fs::remove_all(again);
    fs::create_directories(again);
    const std::string cmd = std::string("\"") + TESSARY_ASSETS_TOOL + "\" \"" + again.string() + "\" \"" +
                            TESSARY_FONT_DIR + "\"";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    int compared = 0;
    for (const auto& f : fs::recursive_directory_iterator(again)) {
        if (!f.is_regular_file()) continue;
        const std::string rel = fs::relative(f.path(), again).string();
        EXPECT_EQ(read(f.path().string()), read(DIR + "/" + rel)) << rel;
        ++compared;
    }
    EXPECT_GT(compared, 30);
    fs::remove_all(again);
}

}  // namespace
