// The benchmarks' photo-like picture.
#include "photo.h"

#include <lodepng.h>

#include <algorithm>
#include <cmath>

namespace bench {

std::vector<std::uint8_t> make_photo() {
    const unsigned W = PHOTO_WIDTH, H = PHOTO_HEIGHT;
    std::vector<std::uint8_t> rgb(std::size_t(W) * H * 3);
    std::uint32_t noise = 12345;
    for (unsigned y = 0; y < H; ++y)
        for (unsigned x = 0; x < W; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = int(noise >> 28) - 8;
            const double sky = double(y) / H, hill = std::sin(x * 0.003) * 0.15 + 0.6;
            const double t = std::sin(x * 0.021 + y * 0.013) * 20;
            std::uint8_t* p = &rgb[(std::size_t(y) * W + x) * 3];
            const bool ground = sky > hill;
            p[0] = std::uint8_t(std::clamp((ground ? 60 : 90 + 100 * sky) + t + n, 0.0, 255.0));
            p[1] = std::uint8_t(std::clamp((ground ? 120 - 40 * sky : 140 + 60 * sky) + t + n, 0.0, 255.0));
            p[2] = std::uint8_t(std::clamp((ground ? 40 : 230 - 50 * sky) + n, 0.0, 255.0));
        }
    return rgb;
}

std::vector<std::uint8_t> encode_photo_png(const std::vector<std::uint8_t>& rgb) {
    lodepng::State state;
    state.info_raw.colortype = LCT_RGB;
    state.info_png.color.colortype = LCT_RGB;
    state.encoder.auto_convert = 0;
    state.encoder.zlibsettings.windowsize = 2048;
    state.encoder.zlibsettings.lazymatching = 0;
    std::vector<std::uint8_t> out;
    lodepng::encode(out, rgb, PHOTO_WIDTH, PHOTO_HEIGHT, state);
    return out;
}

}  // namespace bench
