// Row by row reading of the program's own PNG art; see png_rows.h.
#include "graphics/png_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

const std::uint8_t SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int MAX_SIDE = 1 << 14;
constexpr std::size_t BYTES_PER_PIXEL = 3;

int paeth(int left, int up, int up_left) {
    const int p = left + up - up_left, a = std::abs(p - left), b = std::abs(p - up), c = std::abs(p - up_left);
    return a <= b && a <= c ? left : (b <= c ? up : up_left);
}

// Undoes a row's filter in place, given the row above it unfiltered.
bool unfilter(int filter, std::uint8_t* row, const std::uint8_t* above, std::size_t size) {
    const auto left = [row](std::size_t i) { return i >= BYTES_PER_PIXEL ? row[i - BYTES_PER_PIXEL] : 0; };
    const auto up_left = [above](std::size_t i) { return i >= BYTES_PER_PIXEL ? above[i - BYTES_PER_PIXEL] : 0; };
    switch (filter) {
        case 0: return true;
        case 1: for (std::size_t i = 0; i < size; ++i) row[i] = std::uint8_t(row[i] + left(i)); return true;
        case 2: for (std::size_t i = 0; i < size; ++i) row[i] = std::uint8_t(row[i] + above[i]); return true;
        case 3: for (std::size_t i = 0; i < size; ++i) row[i] = std::uint8_t(row[i] + (left(i) + above[i]) / 2); return true;
        case 4: for (std::size_t i = 0; i < size; ++i) row[i] = std::uint8_t(row[i] + paeth(left(i), above[i], up_left(i))); return true;
        default: return false;
    }
}

}  // namespace

PngRows::PngRows(const std::uint8_t* png, std::size_t size) : png_(png), size_(size) {
    // The signature, then IHDR: width, height, 8 bits, colour type 2 (RGB), no interlace.
    if (size < 33 || std::memcmp(png, SIGNATURE, 8) != 0 || be32(png + 8) != 13 || std::memcmp(png + 12, "IHDR", 4) != 0)
        return;
    const std::uint32_t w = be32(png + 16), h = be32(png + 20);
    if (w == 0 || h == 0 || w > MAX_SIDE || h > MAX_SIDE || png[24] != 8 || png[25] != 2 || png[26] != 0 ||
        png[27] != 0 || png[28] != 0)
        return;
    width_ = int(w);
    height_ = int(h);
    at_ = 33;
    for (auto& row : rows_) row.assign(1 + std::size_t(w) * 3, 0);
    inflating_ = inflateInit(&stream_) == Z_OK;
    ok_ = inflating_;
}

PngRows::~PngRows() {
    if (inflating_) inflateEnd(&stream_);
}

bool PngRows::feed() {
    while (at_ + 12 <= size_) {
        const std::uint32_t length = be32(png_ + at_);
        const std::uint8_t* type = png_ + at_ + 4;
        if (length > size_ - at_ - 12) return false;
        const std::uint8_t* data = type + 4;
        at_ += 12 + std::size_t(length);
        if (std::memcmp(type, "IDAT", 4) == 0) {
            stream_.next_in = const_cast<Bytef*>(data);
            stream_.avail_in = uInt(length);
            return true;
        }
        if (std::memcmp(type, "IEND", 4) == 0) return false;
    }
    return false;
}

const std::uint8_t* PngRows::next_row() {
    if (!ok_) return nullptr;
    current_ = 1 - current_;
    std::vector<std::uint8_t>& row = rows_[current_];
    stream_.next_out = row.data();
    stream_.avail_out = uInt(row.size());
    while (stream_.avail_out > 0) {
        // The inflater may still hold output for this row with no input left.
        const uInt before = stream_.avail_out;
        const int result = inflate(&stream_, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_BUF_ERROR) break;  // the end of the data, or corrupt
        if (stream_.avail_out == before && stream_.avail_in == 0 && !feed()) break;
    }
    std::uint8_t* pixels = row.data() + 1;
    const std::uint8_t* above = rows_[1 - current_].data() + 1;
    if (stream_.avail_out != 0 || !unfilter(row[0], pixels, above, row.size() - 1)) {
        ok_ = false;
        return nullptr;
    }
    return pixels;
}
