// Owner drawing: button faces from the resources, tile faces cut from the tile picture.
#include "graphics/draw_win32.h"

#include <cstdint>
#include <map>
#include <memory>

#include "files/files.h"
#include "graphics/art_win32.h"
#include "graphics/bmp.h"
#include "graphics/face_table.h"
#include "graphics/picture_win32.h"
#include "graphics/tile_cells.h"
#include "graphics/tile_faces_win32.h"
#include "ids/control_ids.h"
#include "ids/display_scale.h"

namespace {

// The tile's cell of a plain 24-bit bottom-up BMP file (the kind the game
// writes), read from the file for this request alone - its header and the
// rows the cell spans - and stretched straight from those rows with the
// device context's own stretch mode: the pixels StretchBlt gives from the
// bitmap LoadImageA makes of the same file. False, with nothing drawn, for a
// file that cannot be opened or is of any other kind. For a picture too large
// to keep between draws.
bool draw_tile_from_file(int tile, const DRAWITEMSTRUCT& item, const std::string& path) {
    InputFile file(path);
    std::uint8_t header[BMP_HEADER_SIZE];
    PlainBmp layout;
    if (file.status() != FileStatus::Ok || !file.read_at(0, header, sizeof header) ||
        !read_plain_bmp_header(header, file.size(), layout))
        return false;
    const CellRect cell = tile_source_cell(tile, layout.width, layout.height);
    // Rows run bottom-up: the cell's rows start this many rows above the file's first.
    const int from_bottom = layout.height - cell.y - cell.height;
    const std::uint64_t stride = bmp_stride(static_cast<unsigned>(layout.width));
    const std::uint64_t rows_bytes = stride * static_cast<unsigned>(cell.height);
    if (rows_bytes > SIZE_MAX) return false;
    std::unique_ptr<std::uint8_t[]> rows(new (std::nothrow) std::uint8_t[rows_bytes ? rows_bytes : 1]);
    if (!rows || !file.read_at(layout.pixel_offset + stride * static_cast<unsigned>(from_bottom), rows.get(),
                               static_cast<std::size_t>(rows_bytes)))
        return false;
    const BITMAPINFO info = plain_bmp_info(layout, cell.height);  // just the cell's rows
    const RECT& to = item.rcItem;
    StretchDIBits(item.hDC, to.left, to.top, to.right - to.left, to.bottom - to.top, cell.x, 0, cell.width,
                  cell.height, rows.get(), &info, DIB_RGB_COLORS, SRCCOPY);
    return true;
}

// The face of a button at dpi, kept for the rest of the run: the drawing for
// the nearest larger scale, or the bitmap resource at 100 % (and wherever a
// drawing is missing).
HBITMAP button_face(int control_id, bool pressed, int dpi) {
    const int face = face_for(control_id, pressed);
    if (face == 0) return nullptr;
    if (HBITMAP drawn = scaled_face(face, dpi)) return drawn;
    static std::map<int, HBITMAP> kept;
    HBITMAP& slot = kept[face];
    if (!slot)
        slot = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(face), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return slot;
}

// The whole face stretched onto the button, smoothly (HALFTONE): a face whose
// size differs from the button's, or drawn for a nearby scale, stays smooth.
void draw_button(const DRAWITEMSTRUCT& item, HBITMAP face, int dpi) {
    BITMAP size{};
    if (!face || !GetObjectA(face, sizeof size, &size)) return;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(memory, face);
    const RECT& to = item.rcItem;
    SetStretchBltMode(item.hDC, HALFTONE);
    if (dpi != BASE_DPI) SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, to.left, to.top, to.right - to.left, to.bottom - to.top, memory, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    SelectObject(memory, before);
    DeleteDC(memory);
}

// A tile picture that is not a plain 24-bit bottom-up BMP: LoadImageA, and the
// tile's cell stretched from it in the device context's own stretch mode.
void draw_tile_through_bitmap(int tile, const DRAWITEMSTRUCT& item, const std::string& tile_picture_path) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, tile_picture_path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!picture) return;
    BITMAP size{};
    GetObjectA(picture, sizeof size, &size);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(memory, picture);
    const RECT& to = item.rcItem;
    const CellRect cell = tile_source_cell(tile, size.bmWidth, size.bmHeight);
    StretchBlt(item.hDC, to.left, to.top, to.right - to.left, to.bottom - to.top, memory, cell.x, cell.y, cell.width,
               cell.height, SRCCOPY);
    SelectObject(memory, before);
    DeleteDC(memory);
    DeleteObject(picture);
}

// The hint's frame: black outside, yellow inside, so that it shows on light
// and dark pictures alike.
void draw_hint_frame(HDC dc, RECT r, int dpi) {
    const COLORREF colours[] = {HINT_FRAME_OUTER, HINT_FRAME_INNER};
    const int widths[] = {scaled(HINT_FRAME_OUTER_WIDTH, dpi), scaled(HINT_FRAME_INNER_WIDTH, dpi)};
    for (int ring = 0; ring < 2; ++ring) {
        HBRUSH brush = CreateSolidBrush(colours[ring]);
        const int w = widths[ring];
        const RECT sides[] = {{r.left, r.top, r.right, r.top + w},
                              {r.left, r.bottom - w, r.right, r.bottom},
                              {r.left, r.top, r.left + w, r.bottom},
                              {r.right - w, r.top, r.right, r.bottom}};
        for (const RECT& side : sides) FillRect(dc, &side, brush);
        DeleteObject(brush);
        InflateRect(&r, -w, -w);
    }
}

}  // namespace

void draw_control(int control_id, const DRAWITEMSTRUCT& item, const std::string& tile_picture_path, bool hinted,
                  int dpi) {
    const int tile = tile_for_control(control_id);
    if (tile == 0) return draw_button(item, button_face(control_id, (item.itemState & ODS_SELECTED) != 0, dpi), dpi);
    // LoadImageA would convert the whole picture into a bitmap for each
    // tile; the game's own BMP files are cut straight from their rows instead.
    if (!draw_tile_face(tile, item, tile_picture_path, dpi)) {
        if (dpi != BASE_DPI) SetStretchBltMode(item.hDC, HALFTONE);  // never blocky at a larger scale
        if (!draw_tile_from_file(tile, item, tile_picture_path)) draw_tile_through_bitmap(tile, item, tile_picture_path);
    }
    if (hinted) draw_hint_frame(item.hDC, item.rcItem, dpi);
}

HBRUSH color_static(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}
