// The two 24-bit BMP writers of the game: the PNG conversion and the preview snapshot.
#pragma once

#include <cstdint>
#include <vector>

constexpr int BMP_HEADER_SIZE = 54;

// A BMP file of RGB pixels (top row first, no padding); width and height keep 16 bits.
std::vector<std::uint8_t> encode_bmp(const std::vector<std::uint8_t>& rgb, unsigned width, unsigned height);

// Bytes per BMP row of a 24-bit picture: 3 x width rounded up to a multiple of 4.
unsigned bmp_stride(unsigned width);

// The 54 header bytes of a snapshot: image size filled in, full 32-bit width and height.
std::vector<std::uint8_t> snapshot_bmp_header(int width, int height);
