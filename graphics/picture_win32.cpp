// Picture decoding through the OLE picture object, and the preview snapshot.
#include "graphics/picture_win32.h"

#include "files/files.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// No picture the panel could show comes near this; anything larger is refused
// rather than copied whole into memory.
constexpr std::uint64_t MAX_PICTURE_FILE_BYTES = 256ull * 1024 * 1024;

// The file's bytes (length of them) in a fixed global block, which the caller
// frees, or nullptr.
HGLOBAL read_into_global(const std::string& path, std::size_t& length) {
    InputFile file(path);
    if (file.status() != FileStatus::Ok || file.size() == 0 || file.size() > MAX_PICTURE_FILE_BYTES) return nullptr;
    length = static_cast<std::size_t>(file.size());
    // Zeroed: the block may be larger than asked for, and the stream reads all of it.
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, length);
    if (block && !file.read_at(0, block, length)) {
        GlobalFree(block);
        block = nullptr;
    }
    return block;
}

// The picture object decoded from the block, or nullptr. The block stays ours.
IPicture* decode_picture(HGLOBAL block) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream)) || !stream) return nullptr;
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture))))
        picture = nullptr;
    stream->Release();
    return picture;
}

// The preview of a plain 24-bit BMP straight from the file's rows. The same
// pixels as the picture object and CopyImage give (a screen-compatible bitmap,
// the rows stretched onto it in HALFTONE mode), without the picture object's
// two full-size copies of a big picture or CopyImage's third.
HBITMAP scale_plain_bmp(const std::uint8_t* file, const PlainBmp& layout, int size) {
    const BITMAPINFO info = plain_bmp_info(layout, layout.height);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    if (!copy || !memory) {
        if (copy) DeleteObject(copy);
        if (memory) DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ before = SelectObject(memory, copy);
    SetStretchBltMode(memory, HALFTONE);
    const int lines = StretchDIBits(memory, 0, 0, size, size, 0, 0, layout.width, layout.height,
                                    file + layout.pixel_offset, &info, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(memory, before);
    DeleteDC(memory);
    if (lines <= 0) {  // 0, or GDI_ERROR
        DeleteObject(copy);
        return nullptr;
    }
    return copy;
}

// The picture object's own bitmap (which it destroys on release), or nullptr.
HBITMAP bitmap_of(IPicture* picture) {
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || !handle) return nullptr;
    return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
}

// A bitmap of our own from the picture object's.
HBITMAP copy_of_picture(HBITMAP picture) {
    return static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, PREVIEW_PICTURE_SIZE, PREVIEW_PICTURE_SIZE, 0));
}

// Paints into `dc` what a bitmap static control paints: its background brush
// (asked of the parent, as the control does), then its bitmap at the top left.
// False when any of it could not be painted.
bool paint_like_panel(HWND panel, HBITMAP shown, HDC dc, int width, int height) {
    HBRUSH background = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(panel), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(panel)));
    if (!background) background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    RECT all{0, 0, width, height};
    if (!FillRect(dc, &all, background)) return false;

    BITMAP info{};
    if (!shown || !GetObjectA(shown, sizeof info, &info)) return true;  // a panel without a picture
    HDC source = CreateCompatibleDC(dc);
    if (!source) return false;
    HGDIOBJ before = SelectObject(source, shown);
    const bool copied = before && BitBlt(dc, 0, 0, std::min<int>(width, info.bmWidth),
                                         std::min<int>(height, info.bmHeight), source, 0, 0, SRCCOPY);
    if (before) SelectObject(source, before);
    DeleteDC(source);
    return copied;
}

}  // namespace

BITMAPINFO plain_bmp_info(const PlainBmp& layout, int rows) {
    // Made afresh from the checked layout: no field of the file, such as a
    // colour count that would send GDI looking for a table, reaches the system.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = layout.width;
    info.bmiHeader.biHeight = rows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP smooth_copy(HBITMAP picture, int size) {
    BITMAP from{};
    if (!picture || !GetObjectA(picture, sizeof from, &from)) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HDC source = CreateCompatibleDC(nullptr), target = CreateCompatibleDC(nullptr);
    bool copied = false;
    if (copy && source && target) {
        HGDIOBJ source_before = SelectObject(source, picture), target_before = SelectObject(target, copy);
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        copied = StretchBlt(target, 0, 0, size, size, source, 0, 0, from.bmWidth, from.bmHeight, SRCCOPY);
        SelectObject(source, source_before);
        SelectObject(target, target_before);
    }
    if (source) DeleteDC(source);
    if (target) DeleteDC(target);
    if (!copied && copy) {
        DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

HBITMAP load_picture(const std::string& path, int shown_size, HBITMAP* shown) {
    if (shown) *shown = nullptr;
    std::size_t length = 0;
    HGLOBAL block = read_into_global(path, length);
    if (!block) return nullptr;
    // The game's own plain 24-bit BMPs are scaled straight from their rows.
    PlainBmp layout;
    HBITMAP copy = nullptr;
    const auto* file = static_cast<const std::uint8_t*>(block);
    if (read_plain_bmp(file, length, layout)) {
        copy = scale_plain_bmp(file, layout, PREVIEW_PICTURE_SIZE);
        if (copy && shown) *shown = scale_plain_bmp(file, layout, shown_size);
    }
    if (!copy) {
        // GIF, JPEG and every other kind of BMP: the platform's picture object.
        if (IPicture* picture = decode_picture(block)) {
            if (HBITMAP decoded = bitmap_of(picture)) {
                copy = copy_of_picture(decoded);
                if (copy && shown) *shown = smooth_copy(decoded, shown_size);
            }
            picture->Release();
        }
    }
    GlobalFree(block);
    return copy;
}

bool save_window_snapshot(HWND panel, const std::string& path, const PanelAt100* at_100) {
    RECT client{};
    if (!GetClientRect(panel, &client)) return false;
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(panel, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (at_100) {
        shown = at_100->picture;
        width = at_100->width;
        height = at_100->height;
    }
    if (width <= 0 || height <= 0) return false;

    const std::vector<std::uint8_t> header = snapshot_bmp_header(width, height);
    BITMAPINFO info{};
    std::copy(header.begin() + 14, header.end(), reinterpret_cast<std::uint8_t*>(&info.bmiHeader));
    const DWORD image_size = info.bmiHeader.biSizeImage;

    HDC window_dc = GetDC(panel);
    HDC memory = CreateCompatibleDC(window_dc);
    void* pixels = nullptr;
    HBITMAP dib = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bool written = false;
    if (memory && dib && pixels) {
        HGDIOBJ before = SelectObject(memory, dib);
        const bool painted = before && paint_like_panel(panel, shown, memory, width, height) && GdiFlush();
        // A picture that could not be had leaves the current picture as it was.
        written = painted && write_file(path, {{header.data(), header.size()}, {pixels, image_size}});
        if (before) SelectObject(memory, before);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    ReleaseDC(panel, window_dc);
    return written;
}
