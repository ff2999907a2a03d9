// Enlargement and correction of the art for larger scales; see scaled_art.h.
#include "graphics/scaled_art.h"

#include <algorithm>

namespace {

std::vector<Enlargement::Tap> taps(int to_size, int from_size) {
    std::vector<Enlargement::Tap> out(static_cast<std::size_t>(to_size));
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

Enlargement::Enlargement(const Pixels3& from, int to_width, int to_height)
    : from_(from), across_(taps(to_width, from.width)), down_(taps(to_height, from.height)) {}

const std::vector<int>& Enlargement::across(int source_row) {
    for (int slot = 0; slot < 2; ++slot)
        if (resampled_row_[slot] == source_row) return resampled_[slot];
    // The slot of the lower row moving on: rows are asked for from the top.
    const int slot = resampled_row_[0] < resampled_row_[1] ? 0 : 1;
    std::vector<int>& out = resampled_[slot];
    out.resize(across_.size() * 3);
    const std::uint8_t* in = from_.row(source_row);
    for (std::size_t x = 0; x < across_.size(); ++x) {
        const Tap h = across_[x];
        const int left = h.first * 3, right = std::min(h.first + 1, from_.width - 1) * 3;
        for (int c = 0; c < 3; ++c) out[x * 3 + c] = in[left + c] * (256 - h.weight) + in[right + c] * h.weight;
    }
    resampled_row_[slot] = source_row;
    return out;
}

void Enlargement::row(int y, std::uint8_t* out) {
    const Tap v = down_[static_cast<std::size_t>(y)];
    const std::vector<int>& upper = across(v.first);
    const std::vector<int>& lower = across(std::min(v.first + 1, from_.height - 1));
    for (std::size_t i = 0; i < upper.size(); ++i)
        out[i] = static_cast<std::uint8_t>((upper[i] * (256 - v.weight) + lower[i] * v.weight + 32768) >> 16);
}

void enlarge(const Pixels3& from, const Pixels3& to) {
    Enlargement enlarged(from, to.width, to.height);
    for (int y = 0; y < to.height; ++y) enlarged.row(y, to.row(y));
}

void add_correction(std::uint8_t* to, const std::uint8_t* correction, int width, bool to_blue_first) {
    const int red = to_blue_first ? 2 : 0;
    for (int x = 0; x < width; ++x, to += 3, correction += 3) {
        to[red] = static_cast<std::uint8_t>(to[red] + correction[0]);
        to[1] = static_cast<std::uint8_t>(to[1] + correction[1]);
        to[2 - red] = static_cast<std::uint8_t>(to[2 - red] + correction[2]);
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
