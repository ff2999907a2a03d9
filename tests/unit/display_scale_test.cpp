// The display's scale: the game's pixels on a monitor of any DPI and back,
// the art's drawn scales, and the enlargement and PNG rows the larger skins
// are rebuilt from.
#include "app/control_table.h"
#include "graphics/png_rows.h"
#include "graphics/scaled_art.h"
#include "ids/display_scale.h"

#include <gtest/gtest.h>
#include <lodepng.h>

#include <vector>

TEST(DisplayScale, LengthsRoundAsMulDivAndStayTheGamesOwnAt96) {
    struct Case { int value, dpi, pixels; };
    for (const Case& c : {Case{742, 96, 742}, {742, 144, 1113}, {451, 144, 677}, {95, 120, 119}, {451, 192, 902},
                          {-420, 144, -630}, {7, 120, 9}, {-7, 120, -9}, {540, 110, 619}})
        EXPECT_EQ(scaled(c.value, c.dpi), c.pixels) << c.value << " at " << c.dpi;
}

TEST(DisplayScale, APixelLiesInAScaledRangeExactlyWhenItsOwnCoordinateDoes) {
    for (int dpi : {96, 110, 120, 144, 168, 192, 250})
        for (int pixel = 0; pixel < 2000; ++pixel)
            ASSERT_EQ(unscaled(pixel, dpi) < 540, pixel < scaled(540, dpi)) << pixel << " at " << dpi;
}

TEST(DisplayScale, ArtComesFromTheNearestDrawnScale) {
    struct Case { int dpi, scale; };
    for (const Case& c : {Case{72, 0}, {96, 0}, {107, 0}, {108, 1}, {132, 2}, {144, 2}, {180, 4}, {288, 4}})
        EXPECT_EQ(nearest_art_scale(c.dpi), c.scale) << c.dpi;
}

TEST(DisplayScale, ControlsOfOneSizeStayOfOneSizeAndTilesApart) {
    for (int dpi : {100, 120, 144, 168, 192}) {
        for (const ControlRow& row : CONTROL_TABLE) {
            const ScaledRect r = control_rect(row, dpi);
            EXPECT_TRUE(r.width == scaled(row.width, dpi) && r.height == scaled(row.height, dpi)) << row.id << " at " << dpi;
        }
        const ScaledRect first = control_rect(CONTROL_TABLE[10], dpi), second = control_rect(CONTROL_TABLE[11], dpi);
        EXPECT_GT(second.x, first.x + first.width) << dpi;
    }
}

TEST(ScaledArt, EnlargingKeepsFlatColoursAndBlendsBetweenPixels) {
    std::vector<std::uint8_t> from = {0, 0, 0, 200, 100, 40}, to(4 * 3 * 2);
    enlarge({from.data(), 2, 1, 6}, {to.data(), 4, 2, 12});
    const std::vector<std::uint8_t> row = {0, 0, 0, 50, 25, 10, 150, 75, 30, 200, 100, 40};
    EXPECT_EQ(std::vector<std::uint8_t>(to.begin(), to.begin() + 12), row);
    EXPECT_EQ(std::vector<std::uint8_t>(to.begin() + 12, to.end()), row);
    const std::uint8_t correction[] = {255, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // red minus one, blue plus one
    add_correction(to.data(), correction, 4, false);
    EXPECT_EQ(std::vector<std::uint8_t>(to.begin(), to.begin() + 3), (std::vector<std::uint8_t>{255, 0, 1}));
    add_correction(to.data(), correction, 4, true);  // onto blue first
    EXPECT_EQ(std::vector<std::uint8_t>(to.begin(), to.begin() + 3), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(ScaledArt, PngRowsUndoEveryFilter) {
    const int width = 5, height = 4;
    std::vector<unsigned char> rgb;
    for (int i = 0; i < width * height * 3; ++i) rgb.push_back(static_cast<unsigned char>(i * 97 % 251));
    for (const LodePNGFilterStrategy filter : {LFS_ZERO, LFS_ONE, LFS_TWO, LFS_THREE, LFS_FOUR}) {
        lodepng::State state;
        state.info_raw.colortype = state.info_png.color.colortype = LCT_RGB;
        state.encoder.auto_convert = 0;
        state.encoder.filter_strategy = filter;
        std::vector<unsigned char> png;
        ASSERT_EQ(lodepng::encode(png, rgb, width, height, state), 0u);
        PngRows rows(png.data(), png.size());
        ASSERT_TRUE(rows.ok() && rows.width() == width && rows.height() == height);
        std::vector<unsigned char> back;
        for (int y = 0; y < height; ++y)
            if (const std::uint8_t* row = rows.next_row()) back.insert(back.end(), row, row + width * 3);
        EXPECT_EQ(back, rgb) << "filter " << filter;
        EXPECT_EQ(rows.next_row(), nullptr);
    }
}
