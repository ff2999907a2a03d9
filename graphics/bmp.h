// The two 24-bit BMP writers of the game: the PNG conversion and the preview snapshot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int BMP_HEADER_SIZE = 54;

// A BMP file of RGB pixels (red, green, blue per pixel, top row first, no
// padding: width x height x 3 bytes). The header leaves the image size at 0
// and keeps only the low 16 bits of width and height, as the game always has;
// the PNG import refuses pictures that do not fit. Returns an empty vector
// when rgb holds fewer than width x height x 3 bytes or the file would not
// fit the 32-bit size field.
std::vector<std::uint8_t> encode_bmp(const std::vector<std::uint8_t>& rgb, unsigned width, unsigned height);

// The same from a plain buffer of rgb_size bytes, so a decoder's own buffer
// can be encoded without copying it into a vector first.
std::vector<std::uint8_t> encode_bmp(const std::uint8_t* rgb, std::size_t rgb_size, unsigned width, unsigned height);

// The same file without a second copy of the picture, for rows that need no
// padding (3 x width a multiple of 4): fills header with encode_bmp's 54 bytes
// and turns rgb (rgb_size bytes) in place into the rows encode_bmp puts after
// them, so header then the first width x height x 3 bytes of rgb are encode_bmp's
// file. False, with nothing changed, when rows need padding or encode_bmp
// would give no file.
bool encode_bmp_in_place(std::uint8_t* rgb, std::size_t rgb_size, unsigned width, unsigned height,
                         std::uint8_t (&header)[BMP_HEADER_SIZE]);

// Bytes per BMP row of a 24-bit picture: 3 x width rounded up to a multiple of 4.
unsigned bmp_stride(unsigned width);

// The 54 header bytes of a snapshot: image size filled in, full 32-bit width and height.
std::vector<std::uint8_t> snapshot_bmp_header(int width, int height);

// Where the pixels of a plain 24-bit BMP file lie: the kind both writers make
// (a 40-byte info header, 24 bits, no compression, rows bottom-up), whole in
// the bytes given. Readers take a quick way for these and leave every other
// file to the platform's decoders.
struct PlainBmp {
    std::size_t pixel_offset = 0;  // from the start of the file
    int width = 0;
    int height = 0;  // positive: rows bottom-up
};

// True, with the layout filled in, when data (size bytes) is such a file.
bool read_plain_bmp(const std::uint8_t* data, std::size_t size, PlainBmp& layout);

// The same from the first BMP_HEADER_SIZE bytes of a file of file_size bytes,
// for readers that fetch only the rows they need.
bool read_plain_bmp_header(const std::uint8_t* header, std::uint64_t file_size, PlainBmp& layout);
