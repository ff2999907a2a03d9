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
