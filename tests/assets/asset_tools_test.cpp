// The writers behind the generated resources: BMP rows and padding, icon
// masks, and the WAVE layout for odd and padded sizes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "asset_files.h"
#include "raster.h"
#include "synth.h"

using namespace asset_files;

namespace {

TEST(Bmp24, RowsArePaddedToFourBytesAndStoredBottomUpInBgr) {
    art::Image img(23, 20, art::rgb(0, 0, 0));
    img.at(0, 0) = art::rgb(255, 0, 0);      // top-left red
    img.at(22, 19) = art::rgb(0, 0, 255);    // bottom-right blue
    const auto b = art::encode_bmp24(img);
    const size_t row = 72;  // 23 * 3 = 69, padded
    ASSERT_EQ(b.size(), 54 + row * 20);
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 34), row * 20) << "image size field";
    const size_t top = 54 + row * 19;  // the top row is stored last
    EXPECT_EQ(b[top + 0], 0);
    EXPECT_EQ(b[top + 1], 0);
    EXPECT_EQ(b[top + 2], 255);
    EXPECT_EQ(b[54 + 22 * 3 + 0], 255) << "bottom row first, blue first";
    for (size_t pad = 69; pad < row; ++pad) EXPECT_EQ(b[54 + pad], 0);
}

TEST(Bmp24, ColoursOutsideTheByteRangeAreClampedNotWrapped) {
    art::Image img(1, 1, art::Color{300, -20, 127.6f});
    const auto b = art::encode_bmp24(img);
    EXPECT_EQ(b[54 + 2], 255);
    EXPECT_EQ(b[54 + 1], 0);
    EXPECT_EQ(b[54 + 0], 128);
}

TEST(Icon, TransparentPixelsAreSetInTheMaskAndOpaqueOnesAreNot) {
    art::Image img(48, 48, art::rgb(10, 20, 30));
    img.alpha(0, 0) = 0;  // top-left transparent
    const auto b = art::encode_ico24(img);
    const size_t dib = le32(b, 18);
    const size_t mask = dib + 40 + 48 * 48 * 3;
    const size_t top_mask_row = mask + 47 * 8;
    EXPECT_EQ(b[top_mask_row] & 0x80, 0x80);
    EXPECT_EQ(b[mask] & 0x80, 0) << "the bottom-left pixel is opaque";
    EXPECT_EQ(b[dib + 40 + 47 * 48 * 3 + 2], 0) << "the top-left pixel is black under its mask";
    EXPECT_EQ(b[dib + 40 + 2], 10) << "red of the bottom-left pixel";
}

struct Layout {
    int bits, data_bytes, resource_bytes;
};

class WaveLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(WaveLayout, FileAndDataHaveTheRequestedSizesAndChunksEndAtTheEnd) {
    const Layout& l = GetParam();
    synth::Buffer buf(8000, synth::samples_for(l.bits, l.data_bytes));
    const auto w = synth::encode_wave(buf, l.bits, l.data_bytes, l.resource_bytes, "test");
    ASSERT_EQ(w.size(), static_cast<size_t>(l.resource_bytes));
    EXPECT_EQ(le32(w, 4), w.size() - 8);
    EXPECT_EQ(le32(w, 40), static_cast<uint32_t>(l.data_bytes));
    size_t at = 12;
    while (at + 8 <= w.size()) {
        const uint32_t size = le32(w, at + 4);
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(at, w.size());
}

INSTANTIATE_TEST_SUITE_P(Sizes, WaveLayout,
                         ::testing::Values(Layout{16, 1362, 3346},   // filler larger than a LIST
                                           Layout{8, 35333, 35392},  // odd data and a small filler
                                           Layout{8, 2261, 2306},    // odd data, pad byte only
                                           Layout{16, 4000, 4044},   // nothing to fill
                                           Layout{8, 101, 168}));    // a JUNK chunk only

TEST(WaveLayout, SizesThatNoChunkCanFillAreRefused) {
    synth::Buffer buf(8000, 100);
    EXPECT_THROW(synth::encode_wave(buf, 8, 100, 148, "x"), std::invalid_argument);  // 4 spare bytes
    EXPECT_THROW(synth::encode_wave(buf, 8, 100, 140, "x"), std::invalid_argument);  // too small
    EXPECT_THROW(synth::encode_wave(buf, 24, 100, 144, "x"), std::invalid_argument);
}

TEST(WaveSamples, FullScaleStaysInRangeAtBothDepths) {
    synth::Buffer buf(8000, 4);
    buf.s = {1.0, -1.0, 2.0, -2.0};
    const auto w16 = synth::encode_wave(buf, 16, 8, 52, "x");
    EXPECT_GE(static_cast<int16_t>(le16(w16, 44)), 32766);
    EXPECT_LE(static_cast<int16_t>(le16(w16, 46)), -32766);
    EXPECT_EQ(static_cast<int16_t>(le16(w16, 48)), 32767) << "clamped, not wrapped";
    EXPECT_EQ(static_cast<int16_t>(le16(w16, 50)), -32767);
    const auto w8 = synth::encode_wave(buf, 8, 4, 48, "x");
    EXPECT_GE(w8[44], 254);
    EXPECT_LE(w8[45], 2);
    EXPECT_EQ(w8[46], 255);
}

}  // namespace
