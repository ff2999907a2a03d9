// Pictures for the preview panel: decoding a file into a bitmap, and writing
// the panel's pixels back as the current picture.
#pragma once

#include "graphics/bmp.h"

#include <windows.h>

#include <string>

constexpr int PREVIEW_PICTURE_SIZE = 192;

// A GIF, JPEG or BMP file as a new 192 x 192 bitmap the caller owns, or nullptr
// when the file cannot be read or decoded. Shows nothing. With `shown`, also a
// copy at shown_size x shown_size made smoothly (HALFTONE) from the file's own
// pixels, for the panel at a larger scale (nullptr when it cannot be made).
HBITMAP load_picture(const std::string& path, int shown_size = PREVIEW_PICTURE_SIZE, HBITMAP* shown = nullptr);

// A new bitmap of size x size pixels stretched smoothly (HALFTONE) from picture; nullptr on failure.
HBITMAP smooth_copy(HBITMAP picture, int size);

// What the picture panel shows at 100 %: its picture and its client size.
struct PanelAt100 {
    HBITMAP picture;
    int width, height;
};

// Writes what the picture panel shows over its client area as a 24-bit BMP file.
// Built from the panel's own bitmap, so a covered or off-screen window still
// Writes what the picture panel shows over its client area as a 24-bit BMP file.
// Built from the panel's own bitmap, so a covered or off-screen window still
// gives the right pixels. At a larger scale, at_100 names what the panel would
// show at 100 %, and the file holds that, byte for byte as at 100 %. False when
// those pixels cannot be had (nothing is written) or the file cannot be written.
bool save_window_snapshot(HWND panel, const std::string& path, const PanelAt100* at_100 = nullptr);

// The header StretchDIBits needs for `rows` rows of a plain 24-bit BMP file.
BITMAPINFO plain_bmp_info(const PlainBmp& layout, int rows);
