// PNG import: every PNG kind arrives as 8-bit RGB, and no file can crash or
// exhaust the game; a refused file leaves the current picture alone.
#include "graphics/png_import.h"

#include <gtest/gtest.h>
#include <lodepng.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/bmp.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

void put_be32(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void add_chunk(Bytes& png, const char* type, const Bytes& data) {
    put_be32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t type_at = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put_be32(png, lodepng_crc32(&png[type_at], 4 + data.size()));
}

// A PNG signature and an IHDR with a valid checksum, nothing else.
Bytes png_header(std::uint32_t width, std::uint32_t height, std::uint8_t bit_depth, std::uint8_t colour_type) {
    Bytes png = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes ihdr;
    put_be32(ihdr, width);
    put_be32(ihdr, height);
    ihdr.insert(ihdr.end(), {bit_depth, colour_type, 0, 0, 0});
    add_chunk(png, "IHDR", ihdr);
    return png;
}

Bytes encode_png(const Bytes& pixels, unsigned w, unsigned h, LodePNGColorType type, unsigned depth) {
    lodepng::State state;
    state.info_raw.colortype = type;
    state.info_raw.bitdepth = depth;
    state.info_png.color.colortype = type;
    state.info_png.color.bitdepth = depth;
    state.encoder.auto_convert = 0;  // keep exactly the colour type under test
    Bytes png;
    EXPECT_EQ(lodepng::encode(png, pixels, w, h, state), 0u);
    return png;
}

class PngImport : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tessary_png_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        bmp_path_ = (dir_ / "game_image00.bmp").string();
        write(bmp_path_, previous_picture_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name_or_path, const Bytes& bytes) {
        const fs::path p = fs::path(name_or_path).is_absolute() ? fs::path(name_or_path) : dir_ / name_or_path;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }

    Bytes read_bmp() const {
        std::ifstream in(bmp_path_, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Converts PNG bytes through a real file, as the game does.
    bool convert(const Bytes& png) { return convert_png_to_bmp(write("chosen.png", png), bmp_path_) == PngResult::Written; }

    void expect_refused(const Bytes& png) {
        EXPECT_FALSE(convert(png));
        EXPECT_EQ(read_bmp(), previous_picture_) << "a refused PNG must leave the current picture alone";
    }

    fs::path dir_;
    std::string bmp_path_;
    const Bytes previous_picture_ = {'o', 'l', 'd'};
};

}  // namespace

TEST_F(PngImport, RgbPictureBecomesTheSameBmpAsEncodeBmp) {
    const Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    ASSERT_TRUE(convert(encode_png(rgb, 3, 2, LCT_RGB, 8)));
    EXPECT_EQ(read_bmp(), encode_bmp(rgb, 3, 2));
    EXPECT_EQ(read_bmp().size(), 78u);
}

TEST_F(PngImport, AlphaChannelIsDroppedNotBlended) {
    const Bytes rgba = {200, 100, 50, 0, 1, 2, 3, 128, 9, 8, 7, 255, 0, 0, 0, 0};
    ASSERT_TRUE(convert(encode_png(rgba, 2, 2, LCT_RGBA, 8)));
    EXPECT_EQ(read_bmp(), encode_bmp(Bytes{200, 100, 50, 1, 2, 3, 9, 8, 7, 0, 0, 0}, 2, 2));
}

TEST_F(PngImport, PalettePictureIsExpandedToItsColours) {
    lodepng::State state;
    for (LodePNGColorMode* mode : {&state.info_raw, &state.info_png.color}) {
        mode->colortype = LCT_PALETTE;
        mode->bitdepth = 8;
        lodepng_palette_add(mode, 10, 20, 30, 255);
        lodepng_palette_add(mode, 250, 240, 230, 255);
    }
    state.encoder.auto_convert = 0;
    Bytes png;
    ASSERT_EQ(lodepng::encode(png, Bytes{0, 1, 1, 0}, 4, 1, state), 0u);
    ASSERT_TRUE(convert(png));
    EXPECT_EQ(read_bmp(), encode_bmp(Bytes{10, 20, 30, 250, 240, 230, 250, 240, 230, 10, 20, 30}, 4, 1));
}

TEST_F(PngImport, SixteenBitSamplesKeepTheirHighByte) {
    // Big-endian 16-bit samples: 0x12AB -> 0x12 and so on.
    const Bytes rgb16 = {0x12, 0xAB, 0x34, 0xCD, 0x56, 0xEF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x01};
    ASSERT_TRUE(convert(encode_png(rgb16, 2, 1, LCT_RGB, 16)));
    EXPECT_EQ(read_bmp(), encode_bmp(Bytes{0x12, 0x34, 0x56, 0xFF, 0x00, 0x80}, 2, 1));
}

TEST_F(PngImport, GreyPictureBecomesGreyRgb) {
    ASSERT_TRUE(convert(encode_png(Bytes{0, 77, 255}, 1, 3, LCT_GREY, 8)));
    EXPECT_EQ(read_bmp(), encode_bmp(Bytes{0, 0, 0, 77, 77, 77, 255, 255, 255}, 1, 3));
}

TEST_F(PngImport, CorruptOrTruncatedPngIsRefused) {
    const Bytes good = encode_png(Bytes(8 * 8 * 3, 90), 8, 8, LCT_RGB, 8);
    Bytes corrupt = good;
    corrupt[good.size() / 2] ^= 0x5A;
    expect_refused(corrupt);
    expect_refused(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)));
    expect_refused(Bytes(good.begin(), good.begin() + 20));
    Bytes not_png = good;
    not_png[1] = 'X';
    expect_refused(not_png);
}

TEST_F(PngImport, MissingOrEmptyFileIsRefused) {
    EXPECT_EQ(convert_png_to_bmp((dir_ / "no_such.png").string(), bmp_path_), PngResult::Refused);
    EXPECT_EQ(read_bmp(), previous_picture_);
    expect_refused(Bytes{});
}

TEST_F(PngImport, FileOverTheSizeCapIsRefusedEvenWhenItDecodes) {
    // A good picture followed by zeros up to one byte past the cap: LodePNG
    // would decode it, so only the cap refuses it. Sparse, so it costs no disk.
    const Bytes png = encode_png(Bytes{1, 2, 3}, 1, 1, LCT_RGB, 8);
    const std::string path = write("padded.png", png);
    fs::resize_file(path, PNG_MAX_FILE_BYTES + 1);
    EXPECT_EQ(convert_png_to_bmp(path, bmp_path_), PngResult::Refused);
    EXPECT_EQ(read_bmp(), previous_picture_);
}

TEST_F(PngImport, HugeDeclaredPictureIsRefusedFromItsHeaderAlone) {
    const auto start = std::chrono::steady_clock::now();
    expect_refused(png_header(60000, 60000, 8, 2));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(PngImport, WidthThatDoesNotFitSixteenBitsIsRefused) {
    expect_refused(encode_png(Bytes(65536, 200), 65536, 1, LCT_GREY, 8));
    expect_refused(encode_png(Bytes(65536, 200), 1, 65536, LCT_GREY, 8));
}

TEST_F(PngImport, WidestPictureThatFitsIsAccepted) {
    Bytes rgb(65535 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(convert(encode_png(rgb, 65535, 1, LCT_RGB, 8)));
    EXPECT_EQ(read_bmp(), encode_bmp(rgb, 65535, 1));
}

TEST_F(PngImport, PixelDataThatInflatesBeyondThePictureIsRefused) {
    // A 1 x 1 grey picture whose compressed data unpacks to 4 MiB.
    Bytes zlib;
    LodePNGCompressSettings settings;
    lodepng_compress_settings_init(&settings);
    const Bytes zeros(4 * 1024 * 1024, 0);
    ASSERT_EQ(lodepng::compress(zlib, zeros, settings), 0u);
    Bytes png = png_header(1, 1, 8, 0);
    add_chunk(png, "IDAT", zlib);
    add_chunk(png, "IEND", {});
    expect_refused(png);
}

TEST_F(PngImport, AnUnwritableBmpIsReportedApartFromARefusedPng) {
    const std::string png = write("ok.png", encode_png(Bytes{1, 2, 3}, 1, 1, LCT_RGB, 8));
    EXPECT_EQ(convert_png_to_bmp(png, (dir_ / "no_folder" / "x.bmp").string()), PngResult::NotWritten);
    fs::permissions(bmp_path_, fs::perms::owner_write, fs::perm_options::remove);  // read-only
    EXPECT_EQ(convert_png_to_bmp(png, bmp_path_), PngResult::NotWritten);
    EXPECT_EQ(read_bmp(), previous_picture_);
}

// The limits themselves, from headers alone.
TEST(PngHeaderLimits, AcceptsUpToTheBoundsAndRefusesBeyond) {
    struct Case {
        std::uint32_t w, h;
        std::uint8_t depth, type;
        bool accepted;
    } const cases[] = {
        {1, 1, 8, 2, true},
        {65535, 1, 8, 2, true},
        {65536, 1, 8, 2, false},
        {1, 65536, 8, 2, false},
        {60000, 60000, 8, 2, false},
        {8192, 8192, 8, 2, true},        // 64 Mi pixels of 8-bit RGB
        {8192, 8193, 8, 2, false},       // one row more
        {6000, 4000, 8, 6, true},        // a 24-megapixel camera photo with alpha
        {5792, 5792, 16, 6, true},       // 16-bit RGBA just under 256 MiB
        {6000, 6000, 16, 6, false},      // 16-bit RGBA over 256 MiB
        {0, 10, 8, 2, false},
        {10, 10, 7, 2, false},           // no such bit depth
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h) + " depth " + std::to_string(c.depth) +
                     " type " + std::to_string(c.type));
        const Bytes png = png_header(c.w, c.h, c.depth, c.type);
        unsigned w = 0, h = 0;
        EXPECT_EQ(png_header_acceptable(png.data(), png.size(), w, h), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(w, c.w);
            EXPECT_EQ(h, c.h);
        }
    }
}

TEST(PngHeaderLimits, BadChecksumOrShortHeaderIsRefused) {
    Bytes png = png_header(4, 4, 8, 2);
    unsigned w = 0, h = 0;
    EXPECT_FALSE(png_header_acceptable(png.data(), 20, w, h));
    png.back() ^= 1;
    EXPECT_FALSE(png_header_acceptable(png.data(), png.size(), w, h));
}

TEST(PngToBmp, FromMemoryMatchesTheFileConversion) {
    const Bytes rgb = {1, 2, 3, 4, 5, 6};
    const Bytes png = encode_png(rgb, 2, 1, LCT_RGB, 8);
    Bytes bmp = {9, 9};
    ASSERT_TRUE(png_to_bmp(png.data(), png.size(), bmp));
    EXPECT_EQ(bmp, encode_bmp(rgb, 2, 1));
    EXPECT_FALSE(png_to_bmp(png.data(), png.size() - 1, bmp));
    EXPECT_TRUE(bmp.empty());
}

// The pixel data is inflated into a buffer of exactly the size the header
// promises; every row layout must come out as LodePNG's own decoder gives it.
TEST_F(PngImport, EveryRowLayoutDecodesAsLodepngAlone) {
    struct Layout {
        unsigned w, h;
        LodePNGColorType type;
        unsigned depth;
        bool interlaced;
    };
    const Layout layouts[] = {
        {1, 1, LCT_RGB, 8, true},    {3, 5, LCT_RGB, 8, true},     {9, 7, LCT_RGBA, 8, true},
        {33, 17, LCT_GREY, 1, true}, {5, 3, LCT_GREY, 2, false},   {13, 4, LCT_GREY, 4, true},
        {7, 9, LCT_RGB, 16, false},  {2, 31, LCT_GREY_ALPHA, 8, true},
    };
    for (const Layout& l : layouts) {
        const LodePNGColorMode mode = lodepng_color_mode_make(l.type, l.depth);
        Bytes pixels((l.w * l.h * lodepng_get_bpp(&mode) + 7) / 8);
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
        lodepng::State state;
        state.info_raw = lodepng_color_mode_make(l.type, l.depth);
        state.info_png.color = lodepng_color_mode_make(l.type, l.depth);
        state.info_png.interlace_method = l.interlaced ? 1 : 0;
        state.encoder.auto_convert = 0;
        Bytes png;
        ASSERT_EQ(lodepng::encode(png, pixels, l.w, l.h, state), 0u);

        Bytes rgb;
        unsigned w = 0, h = 0;
        ASSERT_EQ(lodepng::decode(rgb, w, h, png, LCT_RGB, 8), 0u);
        ASSERT_TRUE(convert(png)) << l.w << "x" << l.h << " depth " << l.depth;
        EXPECT_EQ(read_bmp(), encode_bmp(rgb, w, h)) << l.w << "x" << l.h << " depth " << l.depth;
    }
}

TEST_F(PngImport, PixelDataLongerOrShorterThanThePictureIsRefused) {
    // A 4 x 4 RGB picture whose compressed data holds one row too many, then one too few.
    for (int extra_rows : {1, -1}) {
        Bytes rows((4 + extra_rows) * (1 + 4 * 3), 0);
        unsigned char* deflated = nullptr;
        std::size_t deflated_size = 0;
        LodePNGCompressSettings settings;
        lodepng_compress_settings_init(&settings);
        ASSERT_EQ(lodepng_zlib_compress(&deflated, &deflated_size, rows.data(), rows.size(), &settings), 0u);
        Bytes png = png_header(4, 4, 8, 2);
        add_chunk(png, "IDAT", Bytes(deflated, deflated + deflated_size));
        std::free(deflated);
        add_chunk(png, "IEND", {});
        expect_refused(png);
    }
}
