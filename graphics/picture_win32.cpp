// Picture decoding through the OLE picture object, and the preview snapshot.
#include "graphics/picture_win32.h"

#include "graphics/bmp.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// No picture the panel could show comes near this; anything larger is refused
// rather than copied whole into memory.
constexpr LONGLONG MAX_PICTURE_FILE_BYTES = 256LL * 1024 * 1024;

// The file's bytes in a fixed global block (which the caller frees), or nullptr.
HGLOBAL read_into_global(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;

    HGLOBAL block = nullptr;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= MAX_PICTURE_FILE_BYTES) {
        const DWORD length = static_cast<DWORD>(size.QuadPart);
        block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, length);
        DWORD read = 0;
        if (block && !(ReadFile(file, block, length, &read, nullptr) && read == length)) {
            GlobalFree(block);
            block = nullptr;
        }
    }
    CloseHandle(file);
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

// A file mapped read-only for as long as this lives; data is null when it could not be.
class MappedFile {
public:
    explicit MappedFile(const std::string& path) {
        file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return;
        LARGE_INTEGER length{};
        if (!GetFileSizeEx(file_, &length) || length.QuadPart <= 0 || length.QuadPart > MAX_PICTURE_FILE_BYTES) return;
        mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (!mapping_) return;
        data_ = static_cast<const std::uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
        if (data_) size_ = static_cast<std::size_t>(length.QuadPart);
    }
    ~MappedFile() {
        if (data_) UnmapViewOfFile(data_);
        if (mapping_) CloseHandle(mapping_);
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE mapping_ = nullptr;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// The preview of a plain 24-bit BMP straight from the file's rows. The same
// pixels as the picture object and CopyImage give (a screen-compatible bitmap,
// the rows stretched onto it in HALFTONE mode), without the picture object's
// two full-size copies of a big picture or CopyImage's third.
HBITMAP scale_plain_bmp(const std::uint8_t* file, const PlainBmp& layout) {
    BITMAPINFO info{};
    std::copy(file + 14, file + BMP_HEADER_SIZE, reinterpret_cast<std::uint8_t*>(&info.bmiHeader));
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, PREVIEW_PICTURE_SIZE, PREVIEW_PICTURE_SIZE);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    if (!copy || !memory) {
        if (copy) DeleteObject(copy);
        if (memory) DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ before = SelectObject(memory, copy);
    SetStretchBltMode(memory, HALFTONE);
    const int lines = StretchDIBits(memory, 0, 0, PREVIEW_PICTURE_SIZE, PREVIEW_PICTURE_SIZE, 0, 0, layout.width,
                                    layout.height, file + layout.pixel_offset, &info, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(memory, before);
    DeleteDC(memory);
    if (lines <= 0) {  // 0, or GDI_ERROR
        DeleteObject(copy);
        return nullptr;
    }
    return copy;
}

// Paints into `dc` what a bitmap static control paints: its background brush
// (asked of the parent, as the control does), then its bitmap at the top left.
void paint_like_panel(HWND panel, HDC dc, int width, int height) {
    HBRUSH background = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(panel), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(panel)));
    if (!background) background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    RECT all{0, 0, width, height};
    FillRect(dc, &all, background);

    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(panel, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!shown || !GetObjectA(shown, sizeof info, &info)) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ before = SelectObject(source, shown);
    BitBlt(dc, 0, 0, std::min<int>(width, info.bmWidth), std::min<int>(height, info.bmHeight), source, 0, 0,
           SRCCOPY);
    SelectObject(source, before);
    DeleteDC(source);
}

void write_file(const std::string& path, const std::vector<std::uint8_t>& header, const void* pixels,
                DWORD pixel_bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr);
    WriteFile(file, pixels, pixel_bytes, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

HBITMAP load_picture(const std::string& path) {
    {
        const MappedFile file(path);
        PlainBmp layout;
        if (file.data() && read_plain_bmp(file.data(), file.size(), layout))
            if (HBITMAP copy = scale_plain_bmp(file.data(), layout)) return copy;
    }
    // GIF, JPEG and every other kind of BMP: the platform's picture object.
    HGLOBAL block = read_into_global(path);
    if (!block) return nullptr;
    IPicture* picture = decode_picture(block);
    GlobalFree(block);
    if (!picture) return nullptr;

    OLE_HANDLE handle = 0;
    HBITMAP copy = nullptr;
    if (SUCCEEDED(picture->get_Handle(&handle)) && handle) {
        // A bitmap of our own: the picture object destroys its bitmap on release.
        copy = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                              IMAGE_BITMAP, PREVIEW_PICTURE_SIZE, PREVIEW_PICTURE_SIZE, 0));
    }
    picture->Release();
    return copy;
}

void save_window_snapshot(HWND panel, const std::string& path) {
    RECT client{};
    if (!GetClientRect(panel, &client)) return;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;

    const std::vector<std::uint8_t> header = snapshot_bmp_header(width, height);
    BITMAPINFO info{};
    std::copy(header.begin() + 14, header.end(), reinterpret_cast<std::uint8_t*>(&info.bmiHeader));
    const DWORD image_size = info.bmiHeader.biSizeImage;

    HDC window_dc = GetDC(panel);
    HDC memory = CreateCompatibleDC(window_dc);
    void* pixels = nullptr;
    HBITMAP dib = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (memory && dib && pixels) {
        HGDIOBJ before = SelectObject(memory, dib);
        paint_like_panel(panel, memory, width, height);
        GdiFlush();
        write_file(path, header, pixels, image_size);
        SelectObject(memory, before);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    ReleaseDC(panel, window_dc);
}
