// The BMP files the game writes, byte for byte.
#include "graphics/bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u32_at(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

std::uint16_t u16_at(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

TEST(EncodeBmp, OneRedPixelGivesTheFiftyEightByteFile) {
    const Bytes expected = {
        'B', 'M', 58, 0, 0, 0,  0, 0, 0, 0,  54, 0, 0, 0,         // file header
        40, 0, 0, 0,  1, 0, 0, 0,  1, 0, 0, 0,  1, 0,  24, 0,       // size, width, height, planes, bits
        0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,                       // compression, image size 0, x resolution
        0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,                       // y resolution, colours used, important
        0x00, 0x00, 0xFF, 0x00,                                     // blue, green, red, padding
    };
    EXPECT_EQ(encode_bmp({255, 0, 0}, 1, 1), expected);
}

TEST(EncodeBmp, RowsRunBottomUpInBlueGreenRedWithZeroPadding) {
    // 3 x 2: top row pixels 1..3, bottom row pixels 4..6, each a distinct colour.
    const Bytes rgb = {
        0x11, 0x12, 0x13,  0x21, 0x22, 0x23,  0x31, 0x32, 0x33,
        0x41, 0x42, 0x43,  0x51, 0x52, 0x53,  0x61, 0x62, 0x63,
    };
    const Bytes bmp = encode_bmp(rgb, 3, 2);
    ASSERT_EQ(bmp.size(), 78u);
    EXPECT_EQ(u32_at(bmp, 2), 78u);
    EXPECT_EQ(u32_at(bmp, 34), 0u) << "the image size field stays 0";
    const Bytes rows(bmp.begin() + BMP_HEADER_SIZE, bmp.end());
    const Bytes expected_rows = {
        0x43, 0x42, 0x41,  0x53, 0x52, 0x51,  0x63, 0x62, 0x61,  0, 0, 0,   // bottom row first
        0x13, 0x12, 0x11,  0x23, 0x22, 0x21,  0x33, 0x32, 0x31,  0, 0, 0,
    };
    EXPECT_EQ(rows, expected_rows);
}

TEST(EncodeBmp, EveryWidthMatchesThePlainPixelByPixelLayout) {
    // Widths around the eight-pixel blocks the encoder works in, with noise
    // pixels so that any byte out of place shows.
    std::uint32_t noise = 99;
    for (unsigned w : {1u, 5u, 7u, 8u, 9u, 15u, 16u, 17u, 23u, 24u, 25u, 61u, 64u}) {
        const unsigned h = 3;
        Bytes rgb(w * h * 3);
        for (auto& b : rgb) b = static_cast<std::uint8_t>((noise = noise * 1664525u + 1013904223u) >> 24);
        const Bytes bmp = encode_bmp(rgb, w, h);
        ASSERT_EQ(bmp.size(), 54u + bmp_stride(w) * h) << "width " << w;
        for (unsigned y = 0; y < h; ++y) {
            const std::size_t row = 54 + std::size_t{bmp_stride(w)} * (h - 1 - y);
            for (unsigned x = 0; x < w; ++x) {
                const std::size_t px = (std::size_t{y} * w + x) * 3;
                ASSERT_EQ(bmp[row + 3 * x + 0], rgb[px + 2]) << "blue, width " << w << " x " << x << " y " << y;
                ASSERT_EQ(bmp[row + 3 * x + 1], rgb[px + 1]) << "green, width " << w << " x " << x << " y " << y;
                ASSERT_EQ(bmp[row + 3 * x + 2], rgb[px + 0]) << "red, width " << w << " x " << x << " y " << y;
            }
            for (std::size_t pad = 3 * w; pad < bmp_stride(w); ++pad) ASSERT_EQ(bmp[row + pad], 0);
        }
    }
}

TEST(EncodeBmp, WidthFourNeedsNoPadding) {
    Bytes rgb(4 * 2 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i + 1);
    const Bytes bmp = encode_bmp(rgb, 4, 2);
    EXPECT_EQ(bmp_stride(4), 12u);
    ASSERT_EQ(bmp.size(), 54u + 24u);
    // Second row of the file is the top row of the picture, starting right after 12 bytes.
    EXPECT_EQ(bmp[54 + 12], 3);
    EXPECT_EQ(bmp[54 + 12 + 2], 1);
    EXPECT_EQ(bmp[54], 15);
}

TEST(EncodeBmp, StrideRoundsThreeBytesAPixelUpToFour) {
    EXPECT_EQ(bmp_stride(1), 4u);
    EXPECT_EQ(bmp_stride(2), 8u);
    EXPECT_EQ(bmp_stride(3), 12u);
    EXPECT_EQ(bmp_stride(5), 16u);
    EXPECT_EQ(bmp_stride(190), 572u);
    EXPECT_EQ(bmp_stride(192), 576u);
}

TEST(EncodeBmp, WidthAndHeightAreStoredWithSixteenBits) {
    const Bytes bmp = encode_bmp(Bytes(300 * 2 * 3, 7), 300, 2);
    EXPECT_EQ(bmp[18], 0x2C);
    EXPECT_EQ(bmp[19], 0x01);
    EXPECT_EQ(bmp[20], 0x00);
    EXPECT_EQ(bmp[21], 0x00);
    EXPECT_EQ(u32_at(bmp, 22), 2u);
    EXPECT_EQ(u16_at(bmp, 26), 1);
    EXPECT_EQ(u16_at(bmp, 28), 24);
    EXPECT_EQ(bmp.size(), 54u + 900u * 2u);
    EXPECT_EQ(u32_at(bmp, 2), bmp.size());
}

TEST(EncodeBmp, WidestAcceptedPictureKeepsAllSixteenBits) {
    const Bytes bmp = encode_bmp(Bytes(65535 * 3, 1), 65535, 1);
    EXPECT_EQ(u32_at(bmp, 18), 65535u);
    EXPECT_EQ(bmp.size(), 54u + bmp_stride(65535));
}

TEST(EncodeBmp, TooFewPixelBytesGiveNoFile) {
    EXPECT_TRUE(encode_bmp(Bytes(3 * 2 * 3 - 1), 3, 2).empty());
}

TEST(EncodeBmp, EmptyPictureIsJustTheHeader) {
    const Bytes bmp = encode_bmp(Bytes{}, 0, 0);
    ASSERT_EQ(bmp.size(), 54u);
    EXPECT_EQ(u32_at(bmp, 2), 54u);
}

TEST(SnapshotHeader, OddClientAreaHasPaddedStrideAndFilledImageSize) {
    const Bytes h = snapshot_bmp_header(190, 182);
    ASSERT_EQ(h.size(), static_cast<std::size_t>(BMP_HEADER_SIZE));
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(u32_at(h, 2), 104158u);
    EXPECT_EQ(u32_at(h, 6), 0u);
    EXPECT_EQ(u32_at(h, 10), 54u);
    EXPECT_EQ(u32_at(h, 14), 40u);
    EXPECT_EQ(u32_at(h, 18), 190u);
    EXPECT_EQ(u32_at(h, 22), 182u);
    EXPECT_EQ(u16_at(h, 26), 1);
    EXPECT_EQ(u16_at(h, 28), 24);
    EXPECT_EQ(u32_at(h, 30), 0u);
    EXPECT_EQ(u32_at(h, 34), 104104u);
    for (std::size_t at = 38; at < 54; ++at) EXPECT_EQ(h[at], 0) << "byte " << at;
}

TEST(SnapshotHeader, UsualPreviewPanelGivesTheUsualFileSize) {
    const Bytes h = snapshot_bmp_header(192, 192);
    EXPECT_EQ(u32_at(h, 2), 110646u);
    EXPECT_EQ(u32_at(h, 34), 576u * 192u);
}

TEST(SnapshotHeader, KeepsAllThirtyTwoBitsOfWidthAndHeight) {
    const Bytes h = snapshot_bmp_header(70000, 2);
    EXPECT_EQ(u32_at(h, 18), 70000u);
    EXPECT_EQ(u32_at(h, 22), 2u);
    EXPECT_EQ(u32_at(h, 34), 210000u * 2u);
}

TEST(SnapshotHeader, DiffersFromEncodeBmpOnlyInImageSize) {
    // Same picture size below 65536: the headers match except bytes 34..37.
    const unsigned w = 190, h = 182;
    const Bytes enc = encode_bmp(Bytes(w * h * 3), w, h);
    const Bytes snap = snapshot_bmp_header(w, h);
    for (std::size_t at = 0; at < 54; ++at) {
        if (at >= 34 && at < 38) continue;
        EXPECT_EQ(enc[at], snap[at]) << "byte " << at;
    }
    EXPECT_EQ(enc.size(), u32_at(snap, 2));
}

// The quick way to a picture's pixels takes only the kind of BMP both writers
// make; everything else must go the platform's way, judged from the header and
// the file's size alone (the tile drawing reads nothing more before a cell's rows).
TEST(PlainBmpHeader, TakesOnlyWhole24BitBottomUpFilesAndRefusesEveryOtherKind) {
    auto put32 = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    struct Row {
        const char* name;
        std::size_t at;      // a header field (size 2 or 4) set to value; 0 changes none
        std::uint32_t value;
        long size_change;    // bytes added to or cut from the file's end
        bool taken;
    };
    const Row rows[] = {
        {"the game's own file", 0, 0, 0, true},
        {"a colour table declared, rows after it", 46, 4, 16, true},
        {"one byte short", 0, 0, -1, false},
        {"not BM", 0, 0x4142, 0, false},
        {"32 bits", 28, 32, 0, false},
        {"2 planes", 26, 2, 0, false},
        {"RLE", 30, 1, 0, false},
        {"bit fields", 30, 3, 0, false},
        {"a larger info header", 14, 124, 0, false},
        {"top-down rows", 22, static_cast<std::uint32_t>(-182), 0, false},
        {"no width", 18, 0, 0, false},
        {"pixels inside the headers", 10, 40, 0, false},
        {"pixels past the end", 10, 60, 0, false},
    };
    for (const Row& r : rows) {
        Bytes file = encode_bmp(Bytes(190 * 182 * 3), 190, 182);
        if (r.at == 46) put32(file, 10, 54 + 16);  // the table sits between header and rows
        if (r.at == 0 && r.value) file[0] = 'A';
        else if (r.at == 26 || r.at == 28) file[r.at] = static_cast<std::uint8_t>(r.value);
        else if (r.at) put32(file, r.at, r.value);
        file.resize(static_cast<std::size_t>(static_cast<long>(file.size()) + r.size_change));
        PlainBmp layout;
        EXPECT_EQ(read_plain_bmp_header(file.data(), file.size(), layout), r.taken) << r.name;
        EXPECT_EQ(read_plain_bmp(file.data(), file.size(), layout), r.taken) << r.name;
        if (r.taken) {
            EXPECT_EQ(layout.pixel_offset, r.at == 46 ? 70u : 54u) << r.name;
            EXPECT_EQ(layout.width, 190);
            EXPECT_EQ(layout.height, 182);
        }
    }
}

TEST(EncodeBmpInPlace, UnpaddedRowsGiveEncodeBmpsFile) {
    // Odd and even heights (the middle row turns alone), widths on and off the eight-pixel step.
    for (unsigned w : {4u, 8u, 12u, 20u}) {
        for (unsigned h : {1u, 2u, 3u, 5u}) {
            Bytes rgb(w * h * 3);
            for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 5);
            const Bytes expected = encode_bmp(rgb, w, h);
            std::uint8_t header[BMP_HEADER_SIZE];
            ASSERT_TRUE(encode_bmp_in_place(rgb.data(), rgb.size(), w, h, header)) << w << " x " << h;
            Bytes file(header, header + BMP_HEADER_SIZE);
            file.insert(file.end(), rgb.begin(), rgb.end());
            EXPECT_EQ(file, expected) << w << " x " << h;
        }
    }
}

TEST(EncodeBmpInPlace, PaddedRowsOrTooFewBytesAreLeftAlone) {
    Bytes rgb(3 * 2 * 3, 7);
    std::uint8_t header[BMP_HEADER_SIZE] = {};
    EXPECT_FALSE(encode_bmp_in_place(rgb.data(), rgb.size(), 3, 2, header));
    EXPECT_FALSE(encode_bmp_in_place(rgb.data(), 11, 4, 1, header));
    EXPECT_EQ(rgb, Bytes(3 * 2 * 3, 7));
}
