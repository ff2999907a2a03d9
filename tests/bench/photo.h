// The benchmarks' 4000 x 3000 photo-like picture and its PNG, shared by the
// host benchmark and the Wine driver so both measure the same file.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

constexpr unsigned PHOTO_WIDTH = 4000, PHOTO_HEIGHT = 3000;

// 8-bit RGB, rows from the top: soft gradients, some structure and sensor
// noise, so the PNG compresses like a photograph rather than a flat colour.
std::vector<std::uint8_t> make_photo();

// The photo as an RGB PNG (encoded once with quick encoder settings).
std::vector<std::uint8_t> encode_photo_png(const std::vector<std::uint8_t>& rgb);

}  // namespace bench
