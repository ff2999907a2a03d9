// Owner drawing: button faces from the resources, tile faces cut from the tile picture.
#include "graphics/draw_win32.h"

#include "app/control_ids.h"
#include "graphics/face_table.h"
#include "graphics/tile_cells.h"

namespace {

HBITMAP load_face(int control_id, bool pressed, const std::string& tile_picture_path) {
    if (tile_for_control(control_id) != 0)
        return static_cast<HBITMAP>(
            LoadImageA(nullptr, tile_picture_path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    const int face = face_for(control_id, pressed);
    if (face == 0) return nullptr;
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(face), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

void draw_control(int control_id, const DRAWITEMSTRUCT& item, const std::string& tile_picture_path) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    HBITMAP face = load_face(control_id, pressed, tile_picture_path);
    if (!face) return;
    BITMAP size{};
    GetObjectA(face, sizeof size, &size);

    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(memory, face);
    const RECT& to = item.rcItem;
    const int tile = tile_for_control(control_id);
    if (tile != 0) {
        // Tiles keep the device context's own stretch mode: no halftoning.
        const CellRect cell = tile_source_cell(tile, size.bmWidth, size.bmHeight);
        StretchBlt(item.hDC, to.left, to.top, to.right - to.left, to.bottom - to.top, memory, cell.x, cell.y,
                   cell.width, cell.height, SRCCOPY);
    } else {
        SetStretchBltMode(item.hDC, HALFTONE);
        StretchBlt(item.hDC, to.left, to.top, to.right - to.left, to.bottom - to.top, memory, 0, 0, size.bmWidth,
                   size.bmHeight, SRCCOPY);
    }
    SelectObject(memory, before);
    DeleteDC(memory);
    DeleteObject(face);
}

HBRUSH color_static(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}
