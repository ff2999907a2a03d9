// The art at the monitor's scale: the skin, the button faces and the number
// picture, each from the resources drawn for the scale nearest to the
// monitor's, and made smoothly to the exact size when the scale lies between.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture as 24-bit rows for StretchDIBits: bottom-up, each padded to 4 bytes.
struct PictureRows {
    BITMAPINFO info{};
    std::vector<std::uint8_t> rows;
    int width() const { return info.bmiHeader.biWidth; }
    int height() const { return info.bmiHeader.biHeight; }
};

// The skin at dpi as a new bitmap (a DIB section) the caller owns: at 96 DPI
// the game's own skin, pixel for pixel. nullptr when it cannot be had.
HBITMAP make_skin_bitmap(int dpi);

// A button face drawn for the scale nearest to dpi, kept for the rest of the
// run; nullptr when that scale is 100 % (the bitmap resources serve there).
HBITMAP scaled_face(int face_id, int dpi);

// Whether a file's bytes are "PuzNumbs.bmp" as shipped.
bool is_shipped_number_picture(const std::uint8_t* file, std::size_t size);

// The number picture drawn for the scale nearest to dpi, kept for the rest of
// the run; nullptr when that scale is 100 % or it cannot be had.
const PictureRows* scaled_number_picture(int dpi);

// The small window icon drawn for the scale nearest to dpi (the caller owns it).
HICON load_small_icon(int dpi);
