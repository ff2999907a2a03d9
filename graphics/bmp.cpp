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

std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void store64(std::uint8_t* p, std::uint64_t v) {
    std::memcpy(p, &v, 8);
}

// One row from RGB to BGR. Green stays in place, red and blue swap; eight
// pixels (three 64-bit words, read little-endian) go at a time, with the two
// pixels that straddle a word boundary taking a byte from the neighbouring word.
void rgb_row_to_bgr(const std::uint8_t* src, std::uint8_t* dst, unsigned width) {
    unsigned x = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (; x + 8 <= width; x += 8, src += 24, dst += 24) {
        const std::uint64_t a = load64(src), b = load64(src + 8), c = load64(src + 16);
        store64(dst, (a & 0xFF0000FF0000FF00ull) | ((a >> 16) & 0x00000000FF0000FFull) |
                         ((a << 16) & 0x0000FF0000FF0000ull) | ((b << 48) & 0x00FF000000000000ull));
        store64(dst + 8, (b & 0x0000FF0000FF0000ull) | ((b >> 16) & 0x000000FF0000FF00ull) |
                             ((b << 16) & 0x00FF0000FF000000ull) | ((a >> 48) & 0x00000000000000FFull) |
                             ((c << 48) & 0xFF00000000000000ull));
        store64(dst + 16, (c & 0x00FF0000FF0000FFull) | ((c >> 16) & 0x0000FF0000FF0000ull) |
                              ((c << 16) & 0xFF0000FF00000000ull) | ((b >> 48) & 0x000000000000FF00ull));
    }
#endif
    for (; x < width; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
    }
}

}  // namespace

unsigned bmp_stride(unsigned width) {
    return (3u * width + 3u) & ~3u;
}

std::vector<std::uint8_t> encode_bmp(const std::vector<std::uint8_t>& rgb, unsigned width, unsigned height) {
    return encode_bmp(rgb.data(), rgb.size(), width, height);
}

namespace {

// The file size encode_bmp gives, or 0 when rgb_size is too small or the file
// would not fit the 32-bit size field.
std::uint64_t encoded_file_size(std::size_t rgb_size, unsigned width, unsigned height) {
    const std::uint64_t row_bytes = 3ull * width;
    const std::uint64_t stride = (row_bytes + 3) & ~3ull;
    const std::uint64_t file_size = BMP_HEADER_SIZE + stride * height;
    if (row_bytes * height > rgb_size || file_size > std::numeric_limits<std::uint32_t>::max() ||
        file_size > std::numeric_limits<std::size_t>::max()) {
        return 0;
    }
    return file_size;
}

// encode_bmp's header: only the low 16 bits of width and height; image size 0.
void put_encoded_header(std::uint8_t* out, std::uint64_t file_size, unsigned width, unsigned height) {
    put_common_header(out);
    put_u16(out + 18, width & 0xFFFFu);
    put_u16(out + 22, height & 0xFFFFu);
    put_u32(out + 2, static_cast<std::uint32_t>(file_size));
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const std::uint8_t* rgb, std::size_t rgb_size, unsigned width, unsigned height) {
    const std::uint64_t file_size = encoded_file_size(rgb_size, width, height);
    if (file_size == 0) return {};
    const std::size_t row_bytes = 3u * std::size_t{width};
    const std::size_t stride = bmp_stride(width);

    // One zeroed allocation: the padding bytes are already right.
    std::vector<std::uint8_t> bmp(static_cast<std::size_t>(file_size));
    std::uint8_t* const out = bmp.data();
    put_encoded_header(out, file_size, width, height);

    std::uint8_t* row_out = out + BMP_HEADER_SIZE;
    for (unsigned y = height; y-- > 0; row_out += stride) {
        rgb_row_to_bgr(rgb + static_cast<std::size_t>(y) * row_bytes, row_out, width);
    }
    return bmp;
}

bool encode_bmp_in_place(std::uint8_t* rgb, std::size_t rgb_size, unsigned width, unsigned height,
                         std::uint8_t (&header)[BMP_HEADER_SIZE]) {
    const std::uint64_t file_size = encoded_file_size(rgb_size, width, height);
    const std::size_t row_bytes = 3u * std::size_t{width};
    if (file_size == 0 || row_bytes % 4 != 0) return false;
    put_encoded_header(header, file_size, width, height);

    // Rows swap ends (top row last) and turn to blue, green, red, a pair at a time.
    std::vector<std::uint8_t> row(row_bytes);
    for (unsigned top = 0, bottom = height; top < bottom--; ++top) {
        std::uint8_t* const upper = rgb + static_cast<std::size_t>(top) * row_bytes;
        std::uint8_t* const lower = rgb + static_cast<std::size_t>(bottom) * row_bytes;
        rgb_row_to_bgr(upper, row.data(), width);
        if (lower != upper) rgb_row_to_bgr(lower, upper, width);
        std::memcpy(lower, row.data(), row_bytes);
    }
    return true;
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

namespace {

std::uint32_t get_u32(const std::uint8_t* at) {
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
}

std::uint16_t get_u16(const std::uint8_t* at) { return std::uint16_t(at[0] | at[1] << 8); }

}  // namespace

bool read_plain_bmp_header(const std::uint8_t* header, std::uint64_t file_size, PlainBmp& layout) {
    const std::uint8_t* data = header;
    if (!data || file_size < std::uint64_t(BMP_HEADER_SIZE) || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t offset = get_u32(data + 10);
    const std::int32_t width = std::int32_t(get_u32(data + 18));
    const std::int32_t height = std::int32_t(get_u32(data + 22));
    if (get_u32(data + 14) != 40 || get_u16(data + 26) != 1 || get_u16(data + 28) != 24 ||
        get_u32(data + 30) != 0 || width <= 0 || height <= 0 || offset < std::uint32_t(BMP_HEADER_SIZE))
        return false;
    const std::uint64_t pixel_bytes = ((3ull * std::uint32_t(width) + 3) & ~3ull) * std::uint32_t(height);
    if (std::uint64_t(offset) + pixel_bytes > file_size) return false;
    layout.pixel_offset = offset;
    layout.width = width;
    layout.height = height;
    return true;
}

bool read_plain_bmp(const std::uint8_t* data, std::size_t size, PlainBmp& layout) {
    return data && read_plain_bmp_header(data, size, layout);
}
