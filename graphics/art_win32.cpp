// The art at the monitor's scale, rebuilt from the PNG resources row by row
// straight into the bitmaps that show it; see art_win32.h.
#include "graphics/art_win32.h"

#include "graphics/png_rows.h"
#include "graphics/scaled_art.h"
#include "ids/display_scale.h"
#include "ids/resource_ids.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

// A resource of the program's own, RCDATA, as bytes; false when it is not there.
bool resource_bytes(int id, const std::uint8_t*& data, std::size_t& size) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    size = data ? SizeofResource(module, found) : 0;
    return data != nullptr;
}

// The rows of a PNG resource; not ok() when it is missing.
std::unique_ptr<PngRows> art_rows(int id) {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!resource_bytes(id, data, size)) size = 0;
    return std::make_unique<PngRows>(data, size);
}

void swap_red_blue(std::uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 3) std::swap(row[0], row[2]);
}

std::size_t stride_of(int width) { return (std::size_t(width) * 3 + 3) & ~std::size_t(3); }

// A 24-bit top-down DIB section and its rows; bitmap is nullptr when it cannot be made.
struct Dib {
    HBITMAP bitmap = nullptr;
    Pixels3 pixels{};
};

Dib new_dib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Dib dib;
    dib.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib.bitmap && !bits) {
        DeleteObject(dib.bitmap);
        dib.bitmap = nullptr;
    }
    dib.pixels = {static_cast<std::uint8_t*>(bits), width, height, stride_of(width)};
    return dib;
}

// Every row of a PNG into pixels of its size, blue first as bitmaps have them;
// false when one is missing.
bool read_rows(PngRows& png, const Pixels3& into) {
    for (int y = 0; y < into.height; ++y) {
        const std::uint8_t* row = png.next_row();
        if (!row) return false;
        std::copy(row, row + std::size_t(into.width) * 3, into.row(y));
        swap_red_blue(into.row(y), into.width);
    }
    return true;
}

// A picture resource as a new DIB section, or nullptr.
HBITMAP dib_of_art(int id) {
    const std::unique_ptr<PngRows> png = art_rows(id);
    if (!png->ok()) return nullptr;
    Dib dib = new_dib(png->width(), png->height());
    if (!dib.bitmap || !read_rows(*png, dib.pixels)) {
        if (dib.bitmap) DeleteObject(dib.bitmap);
        return nullptr;
    }
    return dib.bitmap;
}

// The skin drawn for ART_DPIS[scale] into `art` (its size, blue first): the
// 100 % skin enlarged, then corrected where something is drawn for that scale.
// A missing correction leaves the enlarged skin, soft but whole.
bool drawn_skin(PngRows& base, int scale, const Pixels3& art) {
    if (scale == 0) return read_rows(base, art);
    std::vector<std::uint8_t> base_pixels(std::size_t(base.width()) * base.height() * 3);
    const Pixels3 from{base_pixels.data(), base.width(), base.height(), std::size_t(base.width()) * 3};
    if (!read_rows(base, from)) return false;
    Enlargement enlarged(from, art.width, art.height);
    const std::unique_ptr<PngRows> correction = art_rows(scaled_art_id(SKIN_BITMAP, scale));
    bool correcting = correction->ok() && correction->width() == art.width && correction->height() == art.height;
    for (int y = 0; y < art.height; ++y) {
        enlarged.row(y, art.row(y));
        const std::uint8_t* row = correcting ? correction->next_row() : nullptr;
        if (row) add_correction(art.row(y), row, art.width, true);
        correcting = row != nullptr;
    }
    return true;
}

}  // namespace

HBITMAP make_skin_bitmap(int dpi) {
    const std::unique_ptr<PngRows> base = art_rows(SKIN_BITMAP);
    if (!base->ok()) return nullptr;
    const int scale = nearest_art_scale(dpi);
    const int width = scaled(base->width(), dpi), height = scaled(base->height(), dpi);
    const int art_width = scaled(base->width(), ART_DPIS[scale]), art_height = scaled(base->height(), ART_DPIS[scale]);
    Dib dib = new_dib(width, height);
    if (!dib.bitmap) return nullptr;
    // The drawing goes straight into the bitmap, unless dpi lies between the
    // drawn scales: then the nearest drawing is made to the exact size.
    std::vector<std::uint8_t> between;
    Pixels3 art = dib.pixels;
    if (art_width != width || art_height != height) {
        between.resize(std::size_t(art_width) * art_height * 3);
        art = {between.data(), art_width, art_height, std::size_t(art_width) * 3};
    }
    if (!drawn_skin(*base, scale, art)) {
        DeleteObject(dib.bitmap);
        return nullptr;
    }
    if (!between.empty()) enlarge(art, dib.pixels);
    return dib.bitmap;
}

HBITMAP scaled_face(int face_id, int dpi) {
    const int scale = nearest_art_scale(dpi);
    if (scale == 0) return nullptr;
    static std::map<int, HBITMAP> kept;  // by resource; lives as long as the program
    const int id = scaled_art_id(face_id, scale);
    const auto at = kept.find(id);
    if (at != kept.end()) return at->second;
    return kept[id] = dib_of_art(id);
}

bool is_shipped_number_picture(const std::uint8_t* file, std::size_t size) {
    const std::uint8_t* mark = nullptr;
    std::size_t mark_size = 0;
    if (!resource_bytes(NUMBER_PICTURE_ART, mark, mark_size) || mark_size != 8) return false;
    std::uint64_t shipped = 0;
    for (int i = 7; i >= 0; --i) shipped = shipped << 8 | mark[i];
    return fingerprint(file, size) == shipped;
}

const PictureRows* scaled_number_picture(int dpi) {
    const int scale = nearest_art_scale(dpi);
    if (scale == 0) return nullptr;
    static std::map<int, std::unique_ptr<PictureRows>> kept;
    auto& slot = kept[scale];
    if (slot) return slot->rows.empty() ? nullptr : slot.get();
    slot.reset(new PictureRows);
    const std::unique_ptr<PngRows> png = art_rows(scaled_art_id(NUMBER_PICTURE_ART, scale));
    if (!png->ok()) return nullptr;
    const int width = png->width(), height = png->height();
    BITMAPINFOHEADER& header = slot->info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as the BMP files are
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    slot->rows.assign(stride_of(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = png->next_row();
        if (!row) {
            slot->rows.clear();
            return nullptr;
        }
        std::uint8_t* out = &slot->rows[stride_of(width) * (height - 1 - y)];
        std::copy(row, row + std::size_t(width) * 3, out);
        swap_red_blue(out, width);
    }
    return slot.get();
}

HICON load_small_icon(int dpi) {
    const int size = scaled(16, dpi);
    const int group = nearest_art_scale(dpi) == 0 ? ICON_GROUP_SMALL : ICON_GROUP_SCALED;
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(group), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
