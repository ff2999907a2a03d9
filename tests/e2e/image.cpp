// BMP reading and writing, and window capture through a DIB section.
#include "image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app.h"

namespace e2e {
namespace {

std::uint32_t u32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(b[at + i]);
    return v;
}
std::uint16_t u16(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | (std::uint8_t(b[at + 1]) << 8));
}

}  // namespace

bool read_bmp(const std::string& path, Image& image) {
    std::string b;
    if (!read_file(path, b) || b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const std::uint32_t data_offset = u32(b, 10);
    const std::int32_t width = std::int32_t(u32(b, 18));
    std::int32_t height = std::int32_t(u32(b, 22));
    const int bits = u16(b, 28);
    const std::uint32_t compression = u32(b, 30);
    // BI_BITFIELDS with 32 bits is accepted when the masks are the usual BGRA.
    if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3) || width <= 0 ||
        height == 0)
        return false;
    const bool top_down = height < 0;
    height = std::abs(height);
    const std::size_t stride = (std::size_t(width) * bits / 8 + 3) & ~std::size_t(3);
    if (b.size() < data_offset + stride * height) return false;
    image.width = width;
    image.height = height;
    image.pixels.assign(std::size_t(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = data_offset + stride * (top_down ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + std::size_t(x) * (bits / 8);
            image.pixels[std::size_t(y) * width + x] = (std::uint32_t(std::uint8_t(b[p + 2])) << 16) |
                                                       (std::uint32_t(std::uint8_t(b[p + 1])) << 8) |
                                                       std::uint8_t(b[p]);
        }
    }
    return true;
}

bool write_bmp(const std::string& path, const Image& image) {
    const std::size_t stride = (std::size_t(image.width) * 3 + 3) & ~std::size_t(3);
    const std::uint32_t size = std::uint32_t(54 + stride * image.height);
    std::string b(size, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 255);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, image.width);
    put32(22, image.height);
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = 54 + stride * (image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.at(x, y);
            b[row + x * 3] = char(c.b);
            b[row + x * 3 + 1] = char(c.g);
            b[row + x * 3 + 2] = char(c.r);
        }
    }
    return write_file(path, b);
}

// Copies a rectangle of a device context into image through a DIB section.
bool capture(HDC source, int x, int y, int w, int h, Image& image) {
    if (!source || w <= 0 || h <= 0) return false;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        ok = BitBlt(memory, 0, 0, w, h, source, x, y, SRCCOPY) != 0;
        GdiFlush();
        image.width = w;
        image.height = h;
        image.pixels.resize(std::size_t(w) * h);
        const auto* p = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = p[i] & 0xFFFFFF;
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(memory);
    return ok;
}

bool capture_client(HWND window, Image& image) {
    RECT client{};
    if (!GetClientRect(window, &client)) return false;
    HDC source = GetDC(window);
    const bool ok = capture(source, 0, 0, client.right, client.bottom, image);
    if (source) ReleaseDC(window, source);
    return ok;
}

bool capture_screen(Image& image) {
    HDC screen = GetDC(nullptr);
    const bool ok = capture(screen, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), image);
    if (screen) ReleaseDC(nullptr, screen);
    return ok;
}

int colour_distance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

}  // namespace e2e
