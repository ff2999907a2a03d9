// The art at the monitor's scale, rebuilt from the PNG resources; see art_win32.h.
#include "graphics/art_win32.h"

#include "graphics/png_import.h"
#include "graphics/scaled_art.h"
#include "ids/display_scale.h"
#include "ids/resource_ids.h"

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

struct Rgb {
    std::vector<std::uint8_t> bytes;  // red, green, blue; rows from the top
    unsigned width = 0, height = 0;
    Pixels3 pixels() { return {bytes.data(), int(width), int(height), std::size_t(width) * 3}; }
};

bool decode_resource(int id, Rgb& picture) {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    return resource_bytes(id, data, size) && decode_png_rgb(data, size, picture.bytes, picture.width, picture.height);
}

// RGB pixels resampled to width x height.
Rgb resized(Rgb& from, int width, int height) {
    Rgb to;
    to.width = unsigned(width);
    to.height = unsigned(height);
    to.bytes.resize(std::size_t(width) * height * 3);
    enlarge(from.pixels(), to.pixels());
    return to;
}

// A 24-bit top-down DIB section holding the pixels; nullptr when it cannot be made.
HBITMAP dib_of(const Rgb& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = LONG(picture.width);
    info.bmiHeader.biHeight = -LONG(picture.height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) return dib;
    const std::size_t stride = (std::size_t(picture.width) * 3 + 3) & ~std::size_t(3);
    for (unsigned y = 0; y < picture.height; ++y) {
        const std::uint8_t* in = &picture.bytes[std::size_t(y) * picture.width * 3];
        std::uint8_t* out = static_cast<std::uint8_t*>(bits) + y * stride;
        for (unsigned x = 0; x < picture.width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return dib;
}

// The skin drawn for ART_DPIS[scale]: the 100 % skin enlarged, then corrected
// where something is drawn for that scale. Also the size of the 100 % skin.
bool drawn_skin(int scale, Rgb& skin, int& base_width, int& base_height) {
    Rgb base;
    if (!decode_resource(SKIN_BITMAP, base)) return false;
    base_width = int(base.width);
    base_height = int(base.height);
    if (scale == 0) {
        skin = std::move(base);
        return true;
    }
    const int dpi = ART_DPIS[scale];
    skin = resized(base, scaled(int(base.width), dpi), scaled(int(base.height), dpi));
    Rgb correction;
    if (!decode_resource(scaled_art_id(SKIN_BITMAP, scale), correction) || correction.width != skin.width ||
        correction.height != skin.height)
        return true;  // the enlarged skin alone, soft but whole
    add_correction(skin.pixels(), correction.pixels());
    return true;
}

}  // namespace

HBITMAP make_skin_bitmap(int dpi) {
    Rgb skin;
    int width = 0, height = 0;
    if (!drawn_skin(nearest_art_scale(dpi), skin, width, height)) return nullptr;
    // Between the drawn scales, the nearest one made to the exact size.
    width = scaled(width, dpi);
    height = scaled(height, dpi);
    if (skin.width != unsigned(width) || skin.height != unsigned(height)) skin = resized(skin, width, height);
    return dib_of(skin);
}

HBITMAP scaled_face(int face_id, int dpi) {
    const int scale = nearest_art_scale(dpi);
    if (scale == 0) return nullptr;
    static std::map<int, HBITMAP> kept;  // by resource; lives as long as the program
    const int id = scaled_art_id(face_id, scale);
    const auto at = kept.find(id);
    if (at != kept.end()) return at->second;
    Rgb face;
    HBITMAP made = decode_resource(id, face) ? dib_of(face) : nullptr;
    kept[id] = made;
    return made;
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
    Rgb picture;
    if (!decode_resource(scaled_art_id(NUMBER_PICTURE_ART, scale), picture)) return nullptr;
    BITMAPINFOHEADER& header = slot->info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = LONG(picture.width);
    header.biHeight = LONG(picture.height);  // bottom-up, as the BMP files are
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::size_t stride = (std::size_t(picture.width) * 3 + 3) & ~std::size_t(3);
    slot->rows.assign(stride * picture.height, 0);
    for (unsigned y = 0; y < picture.height; ++y) {
        const std::uint8_t* in = &picture.bytes[std::size_t(y) * picture.width * 3];
        std::uint8_t* out = &slot->rows[(picture.height - 1 - y) * stride];
        for (unsigned x = 0; x < picture.width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return slot.get();
}

HICON load_small_icon(int dpi) {
    const int size = scaled(16, dpi);
    const int group = nearest_art_scale(dpi) == 0 ? ICON_GROUP_SMALL : ICON_GROUP_SCALED;
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(group), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
