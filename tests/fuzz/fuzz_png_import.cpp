// Any bytes chosen as a PNG: the import either refuses them or produces a
// well-formed BMP of the size the header declared, never crashes, and never
// allocates beyond its documented limits (run with -malloc_limit_mb).
#include "graphics/bmp.h"
#include "graphics/png_import.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::uint32_t u32_at(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned width = 0, height = 0;
    const bool header_ok = png_header_acceptable(data, size, width, height);

    std::vector<std::uint8_t> bmp;
    const bool converted = png_to_bmp(data, size, bmp);
    if (!converted) {
        check(bmp.empty());
        return 0;
    }

    // Only a header within the limits can give a picture, and it gives exactly that picture.
    check(header_ok);
    check(width >= 1 && width <= PNG_MAX_SIDE && height >= 1 && height <= PNG_MAX_SIDE);
    check(bmp.size() == BMP_HEADER_SIZE + std::size_t{bmp_stride(width)} * height);
    check(bmp[0] == 'B' && bmp[1] == 'M');
    check(u32_at(bmp, 2) == bmp.size());
    check(u32_at(bmp, 18) == width && u32_at(bmp, 22) == height);
    // Padding bytes at the end of every row are zero.
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t start = BMP_HEADER_SIZE + row * bmp_stride(width);
        for (std::size_t pad = 3u * width; pad < bmp_stride(width); ++pad) check(bmp[start + pad] == 0);
    }
    return 0;
}
