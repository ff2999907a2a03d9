// Turning a chosen PNG file into the BMP file the tiles are cut from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Limits of the PNG import. A few bytes of header can declare a picture of
// 60000 x 60000 pixels, which would make the decoder try to allocate gigabytes
// in the game's 32-bit process, and encode_bmp keeps only 16 bits of width and
// height. So a PNG is refused, like an undecodable one, when
//  - its width or height is 65536 or more (does not fit the BMP header);
//  - it has more than 64 Mi pixels (8192 x 8192; its 8-bit RGB form is then
//    at most 192 MiB) - any ordinary camera photo passes;
//  - its pixels in the PNG's own format (e.g. 16-bit RGBA, 8 bytes a pixel)
//    take more than 256 MiB, which bounds the decoder's own buffers;
//  - its compressed pixel data inflates to more than that format needs;
//  - the file itself is larger than 256 MiB.
constexpr unsigned PNG_MAX_SIDE = 65535;
constexpr std::uint64_t PNG_MAX_PIXELS = 64ull * 1024 * 1024;
constexpr std::uint64_t PNG_MAX_RAW_BYTES = 256ull * 1024 * 1024;
constexpr std::uint64_t PNG_MAX_FILE_BYTES = 256ull * 1024 * 1024;

// Reads the PNG header from the first bytes of a file and sets width and
// height. False when it is no PNG header or declares a picture over the limits.
bool png_header_acceptable(const std::uint8_t* data, std::size_t size, unsigned& width, unsigned& height);

// PNG file bytes decoded to 8-bit RGB (rows from the top, no padding), within
// the limits above. False, with rgb empty, when refused or undecodable. Never throws.
bool decode_png_rgb(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& rgb, unsigned& width,
                    unsigned& height);

// The whole conversion in memory: PNG file bytes in, BMP file bytes out
// (8-bit RGB, alpha dropped). False, with bmp left empty, when the PNG is
// refused or cannot be decoded. Never throws.
bool png_to_bmp(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& bmp);

// What convert_png_to_bmp did.
enum class PngResult {
    Written,     // bmp_path holds the picture
    Refused,     // the PNG cannot be read or decoded, or is over the limits above
    NotWritten,  // decoded, but bmp_path could not be written (a part may be on disk)
};

// Decodes the PNG at png_path to 8-bit RGB and writes it with encode_bmp to
// bmp_path. A refused PNG leaves bmp_path untouched.
PngResult convert_png_to_bmp(const std::string& png_path, const std::string& bmp_path);
