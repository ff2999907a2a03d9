// Making test pictures with LodePNG and GDI, and decoding files the way the
// game's picture loader does.
#include "pictures.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>

#include <lodepng.h>

#include "app.h"

namespace e2e {
namespace {

Rgb hue_colour(int hue, int value) {
    // Six sectors of the colour wheel at full saturation.
    const int sector = hue / 60, f = (hue % 60) * value / 60;
    switch (sector) {
        case 0: return {value, f, 0};
        case 1: return {value - f, value, 0};
        case 2: return {0, value, f};
        case 3: return {0, value - f, value};
        case 4: return {f, 0, value};
        default: return {value, 0, value - f};
    }
}

void put_u32_be(std::string& out, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) out += char((v >> (8 * i)) & 255);
}

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void append_chunk(std::string& png, const char* type, const std::string& data) {
    put_u32_be(png, std::uint32_t(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    put_u32_be(png, crc32(typed));
}

}  // namespace

Image BlockPicture::image() const {
    Image out;
    out.width = width;
    out.height = height;
    out.pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = at(x, y);
            out.pixels[std::size_t(y) * width + x] = (std::uint32_t(c.r) << 16) | (c.g << 8) | c.b;
        }
    return out;
}

BlockPicture block_picture(int width, int height, int columns, int rows, unsigned seed, bool grey) {
    BlockPicture p;
    p.width = width;
    p.height = height;
    p.columns = columns;
    p.rows = rows;
    const int count = columns * rows;
    for (int i = 0; i < count; ++i) {
        if (grey) {
            const int level = 20 + 3 * int((unsigned(i) * 37u + seed) % 64u);
            p.colours.push_back({level, level, level});
        } else {
            const int hue = int((unsigned(i) * 137u + seed * 61u) % 360u);
            p.colours.push_back(hue_colour(hue, (i + int(seed)) % 2 ? 255 : 160));
        }
    }
    return p;
}

const char* png_kind_name(PngKind kind) {
    switch (kind) {
        case PngKind::Rgb: return "RGB";
        case PngKind::Rgba: return "RGBA";
        case PngKind::Palette: return "palette";
        case PngKind::Rgb16: return "16-bit RGB";
        case PngKind::Grey: return "grey";
    }
    return "?";
}

std::string png_bytes(const BlockPicture& picture, PngKind kind) {
    lodepng::State state;
    state.encoder.auto_convert = 0;  // keep exactly the colour type asked for
    LodePNGColorType type = LCT_RGB;
    unsigned depth = 8;
    std::vector<unsigned char> raw;
    const int w = picture.width, h = picture.height;
    switch (kind) {
        case PngKind::Rgb:
        case PngKind::Rgba:
        case PngKind::Rgb16:
            type = kind == PngKind::Rgba ? LCT_RGBA : LCT_RGB;
            depth = kind == PngKind::Rgb16 ? 16 : 8;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const Rgb c = picture.at(x, y);
                    for (int v : {c.r, c.g, c.b}) {
                        raw.push_back((unsigned char)v);
                        if (depth == 16) raw.push_back((unsigned char)(0x5A ^ x));  // low byte
                    }
                    // Alpha from opaque to nearly clear, by block: it must not reach the picture.
                    if (type == LCT_RGBA)
                        raw.push_back((unsigned char)(255 - 60 * ((x * picture.columns / w) % 4)));
                }
            break;
        case PngKind::Grey:
            type = LCT_GREY;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) raw.push_back((unsigned char)picture.at(x, y).g);
            break;
        case PngKind::Palette:
            type = LCT_PALETTE;
            for (const Rgb& c : picture.colours) {
                lodepng_palette_add(&state.info_png.color, c.r, c.g, c.b, 255);
                lodepng_palette_add(&state.info_raw, c.r, c.g, c.b, 255);
            }
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    raw.push_back((unsigned char)((y * picture.rows / h) * picture.columns + x * picture.columns / w));
            break;
    }
    state.info_raw.colortype = type;
    state.info_raw.bitdepth = depth;
    state.info_png.color.colortype = type;
    state.info_png.color.bitdepth = depth;
    std::vector<unsigned char> png;
    if (lodepng::encode(png, raw, unsigned(w), unsigned(h), state) != 0) return {};
    return std::string(png.begin(), png.end());
}

std::string png_declaring(unsigned width, unsigned height) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put_u32_be(header, width);
    put_u32_be(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    append_chunk(png, "IHDR", header);
    std::vector<unsigned char> inflated(16, 0), deflated;
    lodepng::compress(deflated, inflated);
    append_chunk(png, "IDAT", std::string(deflated.begin(), deflated.end()));
    append_chunk(png, "IEND", "");
    return png;
}

bool write_block_bmp(const std::string& path, const BlockPicture& picture) {
    return write_bmp(path, picture.image());
}

bool decode_like_program(const std::string& path, Image& image) {
    std::string bytes;
    if (!read_file(path, bytes) || bytes.empty()) return false;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes.size());
    if (!block) return false;
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(block));
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(block, FALSE, &stream)) && stream) {
        if (FAILED(OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture))))
            picture = nullptr;
        stream->Release();
    }
    GlobalFree(block);
    if (!picture) return false;
    bool ok = false;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture->get_Handle(&handle)) && handle) {
        HBITMAP scaled = static_cast<HBITMAP>(
            CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 192, 192, 0));
        if (scaled) {
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = 192;
            info.bmiHeader.biHeight = -192;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            std::vector<std::uint32_t> pixels(192 * 192);
            HDC screen = GetDC(nullptr);
            ok = GetDIBits(screen, scaled, 0, 192, pixels.data(), &info, DIB_RGB_COLORS) == 192;
            ReleaseDC(nullptr, screen);
            DeleteObject(scaled);
            image.width = image.height = 192;
            image.pixels.resize(pixels.size());
            for (std::size_t i = 0; i < pixels.size(); ++i) image.pixels[i] = pixels[i] & 0xFFFFFF;
        }
    }
    picture->Release();
    return ok;
}

std::string snapshot_header(int width, int height) {
    const std::uint32_t stride = ((24u * width + 31u) & ~31u) / 8u;
    const std::uint32_t image_size = stride * height;
    std::string h(54, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) h[at + i] = char((v >> (8 * i)) & 255);
    };
    h[0] = 'B';
    h[1] = 'M';
    put32(2, 54 + image_size);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    h[26] = 1;
    h[28] = 24;
    put32(34, image_size);
    return h;
}

int block_centre_error(const Image& image, const BlockPicture& picture, std::string* where) {
    int worst = 0;
    for (int row = 0; row < picture.rows; ++row)
        for (int column = 0; column < picture.columns; ++column) {
            const int cx = (2 * column + 1) * image.width / (2 * picture.columns);
            const int cy = (2 * row + 1) * image.height / (2 * picture.rows);
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const int x = std::clamp(cx + dx, 0, image.width - 1);
                    const int y = std::clamp(cy + dy, 0, image.height - 1);
                    const int d = colour_distance(image.at(x, y), picture.block(column, row));
                    if (d > worst) {
                        worst = d;
                        if (where) {
                            char text[96];
                            const Rgb seen = image.at(x, y), want = picture.block(column, row);
                            std::snprintf(text, sizeof text, "block %d,%d at (%d,%d): %d,%d,%d for %d,%d,%d",
                                          column, row, x, y, seen.r, seen.g, seen.b, want.r, want.g, want.b);
                            *where = text;
                        }
                    }
                }
        }
    return worst;
}

int image_difference(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) return 256;
    int worst = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) worst = std::max(worst, colour_distance(a.at(x, y), b.at(x, y)));
    return worst;
}

}  // namespace e2e
