// PNG import: header check, decoding with LodePNG, BMP encoding, one write.
#include "graphics/png_import.h"

#include <climits>
#include <cstdlib>
#include <exception>
#include <memory>

#include <lodepng.h>
#include <zlib.h>

#include "files/files.h"
#include "graphics/bmp.h"

namespace {

struct FreeDeleter {
    void operator()(unsigned char* p) const { std::free(p); }  // LodePNG allocates with malloc
};

// Prepares a decoder state for 8-bit RGB output that skips text chunks.
void set_up_decoder(lodepng::State& state) {
    state.info_raw.colortype = LCT_RGB;
    state.info_raw.bitdepth = 8;
    state.decoder.read_text_chunks = 0;
    state.decoder.remember_unknown_chunks = 0;
}

// Bytes of filtered scanlines a picture's compressed data inflates to: a
// filter byte and the packed pixels per row, per pass when it is interlaced.
std::uint64_t inflated_size(unsigned width, unsigned height, unsigned bpp, bool interlaced) {
    const auto rows = [bpp](std::uint64_t w, std::uint64_t h) { return w == 0 ? 0 : h * (1 + (w * bpp + 7) / 8); };
    if (!interlaced) return rows(width, height);
    const std::uint64_t w = width, h = height;
    return rows((w + 7) / 8, (h + 7) / 8) + rows((w + 3) / 8, (h + 7) / 8) + rows((w + 3) / 4, (h + 3) / 8) +
           rows((w + 1) / 4, (h + 3) / 4) + rows((w + 1) / 2, (h + 1) / 4) + rows(w / 2, (h + 1) / 2) +
           rows(w, h / 2);
}

// LodePNG hands the picture's compressed data to this: zlib inflates it
// straight into a buffer of exactly the size the header promises, which spares
// the decoder's growing buffer and its copy of a photo's rows mid-way. A
// stream that holds more or less than that is corrupt, as LodePNG would find.
unsigned inflate_exact(unsigned char** out, std::size_t* outsize, const unsigned char* in, std::size_t insize,
                       const LodePNGDecompressSettings* settings) {
    const auto expected = *static_cast<const std::size_t*>(settings->custom_context);
    if (insize > UINT_MAX || expected > UINT_MAX) return 1;
    auto* buffer = static_cast<unsigned char*>(std::malloc(expected ? expected : 1));  // LodePNG frees it
    if (!buffer) return 83;
    z_stream stream{};
    stream.next_in = const_cast<Bytef*>(in);
    stream.avail_in = static_cast<uInt>(insize);
    stream.next_out = buffer;
    stream.avail_out = static_cast<uInt>(expected);
    bool whole = false;
    if (inflateInit(&stream) == Z_OK) {
        whole = inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.total_out == expected;
        inflateEnd(&stream);
    }
    if (!whole) {
        std::free(buffer);
        return 1;
    }
    *out = buffer;
    *outsize = expected;
    return 0;
}

// Checks an inspected header against the limits; returns the largest
// legitimate size of the inflated pixel data, or 0 when refused.
std::uint64_t inflate_limit(const lodepng::State& state, unsigned width, unsigned height) {
    if (width > PNG_MAX_SIDE || height > PNG_MAX_SIDE) return 0;
    const std::uint64_t pixels = std::uint64_t{width} * height;
    if (pixels > PNG_MAX_PIXELS) return 0;
    const std::uint64_t bits = lodepng_get_bpp(&state.info_png.color);
    const std::uint64_t raw_bytes = (pixels * bits + 7) / 8;
    if (raw_bytes > PNG_MAX_RAW_BYTES) return 0;
    // Each scanline of each of the (at most seven) interlace passes adds a
    // filter byte and at most one byte of rounding; about 2h + 8 rows in all.
    return raw_bytes + (height + 8) * std::uint64_t{4} + 1024;
}

}  // namespace

bool png_header_acceptable(const std::uint8_t* data, std::size_t size, unsigned& width, unsigned& height) {
    lodepng::State state;
    set_up_decoder(state);
    unsigned w = 0, h = 0;
    if (lodepng_inspect(&w, &h, &state, data, size) != 0) return false;
    if (inflate_limit(state, w, h) == 0) return false;
    width = w;
    height = h;
    return true;
}

namespace {

// Decodes PNG file bytes to 8-bit RGB within the limits; null when refused or undecodable.
std::unique_ptr<unsigned char, FreeDeleter> decode_rgb(const std::uint8_t* data, std::size_t size, unsigned& width,
                                                       unsigned& height) {
    lodepng::State state;
    set_up_decoder(state);
    if (lodepng_inspect(&width, &height, &state, data, size) != 0) return nullptr;
    const std::uint64_t limit = inflate_limit(state, width, height);
    if (limit == 0 || limit > SIZE_MAX) return nullptr;
    state.decoder.zlibsettings.max_output_size = static_cast<std::size_t>(limit);
    const std::size_t expected = static_cast<std::size_t>(inflated_size(
        width, height, lodepng_get_bpp(&state.info_png.color), state.info_png.interlace_method != 0));
    state.decoder.zlibsettings.custom_zlib = inflate_exact;
    state.decoder.zlibsettings.custom_context = &expected;

    unsigned char* raw = nullptr;
    const unsigned error = lodepng_decode(&raw, &width, &height, &state, data, size);
    std::unique_ptr<unsigned char, FreeDeleter> pixels(raw);
    if (error != 0) pixels.reset();
    return pixels;
}

}  // namespace

bool decode_png_rgb(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& rgb, unsigned& width,
                    unsigned& height) {
    rgb.clear();
    try {
        const auto pixels = decode_rgb(data, size, width, height);
        if (!pixels) return false;
        rgb.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 3);
        return true;
    } catch (const std::exception&) {
        rgb.clear();
        return false;
    }
}

bool png_to_bmp(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& bmp) {
    bmp.clear();
    try {
        unsigned width = 0, height = 0;
        const auto pixels = decode_rgb(data, size, width, height);
        if (!pixels) return false;
        // Encode straight from the decoder's buffer: no copy into a vector.
        const std::size_t rgb_size = static_cast<std::size_t>(width) * height * 3;
        bmp = encode_bmp(pixels.get(), rgb_size, width, height);
        return !bmp.empty();
    } catch (const std::exception&) {  // std::bad_alloc from a picture that does not fit in memory
        bmp.clear();
        return false;
    }
}

PngResult convert_png_to_bmp(const std::string& png_path, const std::string& bmp_path) {
    try {
        unsigned width = 0, height = 0;
        std::unique_ptr<unsigned char, FreeDeleter> pixels;
        {
            std::vector<std::uint8_t> png;
            if (read_file(png_path, PNG_MAX_FILE_BYTES, png) != FileStatus::Ok || png.empty())
                return PngResult::Refused;
            pixels = decode_rgb(png.data(), png.size(), width, height);
        }  // the file's bytes go before the BMP is made
        if (!pixels) return PngResult::Refused;
        const std::size_t rgb_size = static_cast<std::size_t>(width) * height * 3;
        bool written = false;
        // Rows without padding become the BMP's rows in place: no second copy of a photo.
        std::uint8_t header[BMP_HEADER_SIZE];
        if (encode_bmp_in_place(pixels.get(), rgb_size, width, height, header)) {
            written = write_file(bmp_path, {{header, sizeof header}, {pixels.get(), rgb_size}});
        } else {
            const std::vector<std::uint8_t> bmp = encode_bmp(pixels.get(), rgb_size, width, height);
            if (bmp.empty()) return PngResult::Refused;
            pixels.reset();
            written = write_file(bmp_path, {{bmp.data(), bmp.size()}});
        }
        return written ? PngResult::Written : PngResult::NotWritten;
    } catch (const std::exception&) {
        return PngResult::Refused;
    }
}
