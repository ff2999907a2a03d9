// Test pictures for LOAD PIC: flat colour blocks written as PNG (every colour
// type the import meets), BMP and hostile PNG headers; the pixels the game's
// picture loader gives for a file; the header of the game's preview snapshot.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace e2e {

// A picture of columns x rows flat colour blocks over width x height pixels.
// Scaling keeps the middle of every block, so the snapshot can be checked
// against the block colours whatever the scaling does at the edges.
struct BlockPicture {
    int width = 0, height = 0, columns = 1, rows = 1;
    std::vector<Rgb> colours;  // row by row
    Rgb block(int column, int row) const { return colours[std::size_t(row) * columns + column]; }
    Rgb at(int x, int y) const { return block(x * columns / width, y * rows / height); }
    Image image() const;
};

// Distinct, saturated colours (or distinct greys) chosen by seed.
BlockPicture block_picture(int width, int height, int columns, int rows, unsigned seed, bool grey = false);

enum class PngKind { Rgb, Rgba, Palette, Rgb16, Grey };
const char* png_kind_name(PngKind kind);

// The PNG file bytes of the picture in the given colour type. Rgba carries a
// different alpha per block, Rgb16 low bytes that are not copies of the high
// ones; Grey needs a grey picture. Empty when LodePNG refuses.
std::string png_bytes(const BlockPicture& picture, PngKind kind);

// A well-formed PNG whose header declares width x height 8-bit RGB pixels,
// followed by one tiny IDAT (a few inflated bytes) and IEND.
std::string png_declaring(unsigned width, unsigned height);

// The picture as a classic 24-bit BMP file (what the player might choose).
bool write_block_bmp(const std::string& path, const BlockPicture& picture);

// The 192 x 192 bitmap the game's picture loader makes of a file: OleLoadPicture
// from a memory stream, then CopyImage to 192 x 192, as the game does.
bool decode_like_program(const std::string& path, Image& image);

// The 54 header bytes the preview snapshot writes for a client area.
std::string snapshot_header(int width, int height);

// Largest colour difference over the middle 5 x 5 pixels of every block, with
// the picture scaled to image's size; where names the worst block.
int block_centre_error(const Image& image, const BlockPicture& picture, std::string* where = nullptr);

// Largest colour difference over all pixels of two images of one size (256 when the sizes differ).
int image_difference(const Image& a, const Image& b);

}  // namespace e2e
