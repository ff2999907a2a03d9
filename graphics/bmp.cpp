// The BMP headers and the pixel layout shared by the PNG conversion and the snapshot.
#include "graphics/bmp.h"

#include <cstring>
#include <limits>

namespace {

void put_u16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put_u32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

// Everything both writers share: "BM", offset 54, a 40-byte info header,
// one plane, 24 bits, no compression, zero resolutions and colour counts.
// The caller fills file size, width, height and image size.
void put_common_header(std::uint8_t* h) {
    std::memset(h, 0, BMP_HEADER_SIZE);
    h[0] = 'B';
    h[1] = 'M';
    put_u32(h + 10, BMP_HEADER_SIZE);
    put_u32(h + 14, 40);
    put_u16(h + 26, 1);
    put_u16(h + 28, 24);
}

}  // namespace

unsigned bmp_stride(unsigned width) {
    return (3u * width + 3u) & ~3u;
}

std::vector<std::uint8_t> encode_bmp(const std::vector<std::uint8_t>& rgb, unsigned width, unsigned height) {
    return encode_bmp(rgb.data(), rgb.size(), width, height);
}

std::vector<std::uint8_t> encode_bmp(const std::uint8_t* rgb, std::size_t rgb_size, unsigned width, unsigned height) {
    const std::uint64_t row_bytes = 3ull * width;
    const std::uint64_t stride = (row_bytes + 3) & ~3ull;
    const std::uint64_t file_size = BMP_HEADER_SIZE + stride * height;
    if (row_bytes * height > rgb_size || file_size > std::numeric_limits<std::uint32_t>::max() ||
        file_size > std::numeric_limits<std::size_t>::max()) {
        return {};
    }

    // One zeroed allocation: the padding bytes are already right, and each
    // row is written with a plain pointer loop.
    std::vector<std::uint8_t> bmp(static_cast<std::size_t>(file_size));
    std::uint8_t* const out = bmp.data();
    put_common_header(out);
    // Only the low 16 bits of width and height are stored; image size stays 0.
    put_u16(out + 18, width & 0xFFFFu);
    put_u16(out + 22, height & 0xFFFFu);

    std::uint8_t* row_out = out + BMP_HEADER_SIZE;
    for (unsigned y = height; y-- > 0; row_out += stride) {
        const std::uint8_t* src = rgb + static_cast<std::size_t>(y) * row_bytes;
        const std::uint8_t* const src_end = src + row_bytes;
        std::uint8_t* dst = row_out;
        for (; src != src_end; src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }

    put_u32(out + 2, static_cast<std::uint32_t>(file_size));
    return bmp;
}

std::vector<std::uint8_t> snapshot_bmp_header(int width, int height) {
    const std::uint32_t w = static_cast<std::uint32_t>(width);
    const std::uint32_t h = static_cast<std::uint32_t>(height);
    const std::uint32_t image_size = ((24u * w + 31u) & ~31u) / 8u * h;

    std::vector<std::uint8_t> header(BMP_HEADER_SIZE);
    put_common_header(header.data());
    put_u32(header.data() + 2, BMP_HEADER_SIZE + image_size);
    put_u32(header.data() + 18, w);
    put_u32(header.data() + 22, h);
    put_u32(header.data() + 34, image_size);
    return header;
}
