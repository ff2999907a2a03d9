// Pictures for the preview panel: decoding a file into a bitmap, and writing
// the panel's pixels back as the current picture.
#pragma once

#include "graphics/bmp.h"

#include <windows.h>

#include <string>

constexpr int PREVIEW_PICTURE_SIZE = 192;

// A GIF, JPEG or BMP file as a new 192 x 192 bitmap the caller owns, or nullptr
// when the file cannot be read or decoded. Shows nothing.
HBITMAP load_picture(const std::string& path);

// Writes what the picture panel shows over its client area as a 24-bit BMP file.
// Built from the panel's own bitmap, so a covered or off-screen window still
// gives the right pixels. False when those pixels cannot be had (nothing is
// written) or the file cannot be written.
bool save_window_snapshot(HWND panel, const std::string& path);

// The header StretchDIBits needs for `rows` rows of a plain 24-bit BMP file.
BITMAPINFO plain_bmp_info(const PlainBmp& layout, int rows);
