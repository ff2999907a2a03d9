// Enlargement and correction of the art for larger scales; see scaled_art.h.
#include "graphics/scaled_art.h"

#include <algorithm>
#include <vector>

namespace {

// For each pixel along an axis of `to_size` pixels, the first of the two
// source pixels it falls between and its weight on the second, in 1/256.
struct Tap {
    int first;
    int weight;
};

std::vector<Tap> taps(int to_size, int from_size) {
    std::vector<Tap> out(static_cast<std::size_t>(to_size));
    const long long last = (from_size - 1) * 256LL;
    for (int i = 0; i < to_size; ++i) {
        // (i + 1/2) * from / to - 1/2, in 1/256 of a source pixel.
        long long at = ((2LL * i + 1) * from_size * 256) / (2LL * to_size) - 128;
        at = std::clamp(at, 0LL, last);
        out[static_cast<std::size_t>(i)] = {static_cast<int>(at >> 8), static_cast<int>(at & 255)};
    }
    return out;
}

}  // namespace

void enlarge(const Pixels3& from, const Pixels3& to) {
    const std::vector<Tap> across = taps(to.width, from.width), down = taps(to.height, from.height);
    for (int y = 0; y < to.height; ++y) {
        const Tap v = down[static_cast<std::size_t>(y)];
        const std::uint8_t* top = from.row(v.first);
        const std::uint8_t* bottom = from.row(std::min(v.first + 1, from.height - 1));
        std::uint8_t* out = to.row(y);
        for (int x = 0; x < to.width; ++x) {
            const Tap h = across[static_cast<std::size_t>(x)];
            const int left = h.first * 3, right = std::min(h.first + 1, from.width - 1) * 3;
            for (int c = 0; c < 3; ++c) {
                const int upper = top[left + c] * (256 - h.weight) + top[right + c] * h.weight;
                const int lower = bottom[left + c] * (256 - h.weight) + bottom[right + c] * h.weight;
                out[x * 3 + c] = static_cast<std::uint8_t>((upper * (256 - v.weight) + lower * v.weight + 32768) >> 16);
            }
        }
    }
}

void add_correction(const Pixels3& to, const Pixels3& correction) {
    for (int y = 0; y < to.height; ++y) {
        std::uint8_t* out = to.row(y);
        const std::uint8_t* in = correction.row(y);
        for (int i = 0; i < to.width * 3; ++i) out[i] = static_cast<std::uint8_t>(out[i] + in[i]);
    }
}

std::uint64_t fingerprint(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 1099511628211ull;
    }
    return hash;
}
