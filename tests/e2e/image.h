// Pictures for the driver: the BMP files the game reads, and captures of the
// game's window as it is shown on the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
    Rgb at(int x, int y) const {
        const std::uint32_t p = pixels[std::size_t(y) * width + x];
        return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
    }
};

// Reads an uncompressed 24- or 32-bit BMP (any info-header version,
// bottom-up or top-down). False when the file is missing or of another kind.
bool read_bmp(const std::string& path, Image& image);
// Writes a 24-bit BMP, for looking at what a case saw.
bool write_bmp(const std::string& path, const Image& image);

// w x h pixels at (x, y) of a device context.
bool capture(HDC source, int x, int y, int w, int h, Image& image);

// The client area of a window as it is on the screen (BitBlt from its DC); the
// window must be on-screen and uncovered.
bool capture_client(HWND window, Image& image);
// The whole screen, every window on it as shown.
bool capture_screen(Image& image);

// Largest difference of the three channels.
int colour_distance(Rgb a, Rgb b);

}  // namespace e2e
