// The tile picture kept between draws, and the faces cut from it; see tile_faces_win32.h.
#include "graphics/tile_faces_win32.h"

#include "files/files.h"
#include "graphics/art_win32.h"
#include "graphics/bmp.h"
#include "graphics/picture_win32.h"
#include "graphics/tile_cells.h"
#include "ids/display_scale.h"

#include <cstdint>
#include <vector>

namespace {

// A larger picture is left to the readers that fetch only a cell's rows (only
// a player's own "PuzNumbs.bmp" could be one).
constexpr std::uint64_t MAX_KEPT_BYTES = 64ull << 20;

// A picture's rows in memory, bottom-up as in a BMP file.
struct Source {
    const std::uint8_t* rows;  // the bottom row
    PlainBmp layout;
};

// The cell of a tile stretched into dc from just the cell's rows, in the
// device context's current stretch mode: the call the game has always made.
void stretch_cell(HDC dc, int x, int y, int width, int height, int tile, const Source& from) {
    const CellRect cell = tile_source_cell(tile, from.layout.width, from.layout.height);
    const int from_bottom = from.layout.height - cell.y - cell.height;
    const BITMAPINFO info = plain_bmp_info(from.layout, cell.height);
    const std::uint8_t* rows = from.rows + std::uint64_t{bmp_stride(unsigned(from.layout.width))} * unsigned(from_bottom);
    StretchDIBits(dc, x, y, width, height, cell.x, 0, cell.width, cell.height, rows, &info, DIB_RGB_COLORS, SRCCOPY);
}

struct Kept {
    std::string path;
    FileStamp stamp;
    bool read = false;               // path and stamp tell what was read
    std::vector<std::uint8_t> file;  // the whole plain BMP, or nothing
    PlainBmp layout;
    bool shipped_numbers = false;
    // The fifteen faces for a larger scale, cut and stretched once: a 4 x 4
    // grid of cells of side pixels, selected into grid_dc.
    HDC grid_dc = nullptr;
    HBITMAP grid = nullptr;
    HGDIOBJ grid_before = nullptr;
    int grid_dpi = 0, grid_side = 0;
};
Kept kept;

void drop_grid() {
    if (kept.grid_dc) {
        SelectObject(kept.grid_dc, kept.grid_before);
        DeleteDC(kept.grid_dc);
    }
    if (kept.grid) DeleteObject(kept.grid);
    kept.grid_dc = nullptr;
    kept.grid = nullptr;
    kept.grid_dpi = kept.grid_side = 0;
}

// Brings what is kept up to the file at path; false when it holds no picture to cut from.
bool refresh(const std::string& path) {
    FileStamp now;
    if (!file_stamp(path, now)) {
        forget_tile_picture();
        return false;
    }
    if (kept.read && kept.path == path && kept.stamp == now) return !kept.file.empty();
    forget_tile_picture();
    kept.path = path;
    kept.stamp = now;
    kept.read = true;
    InputFile file(path);
    std::uint8_t header[BMP_HEADER_SIZE];
    if (file.status() != FileStatus::Ok || file.size() > MAX_KEPT_BYTES || !file.read_at(0, header, sizeof header) ||
        !read_plain_bmp_header(header, file.size(), kept.layout))
        return false;
    kept.file.resize(static_cast<std::size_t>(file.size()));
    if (!file.read_at(0, kept.file.data(), kept.file.size()) ||
        !read_plain_bmp(kept.file.data(), kept.file.size(), kept.layout)) {
        kept.file.clear();
        return false;
    }
    kept.shipped_numbers = is_shipped_number_picture(kept.file.data(), kept.file.size());
    return true;
}

// The picture the faces are cut from at dpi: the number picture drawn for that
// scale when the file is the one shipped, else the file.
Source source_for(int dpi) {
    if (kept.shipped_numbers)
        if (const PictureRows* drawn = scaled_number_picture(dpi))
            return {drawn->rows.data(), PlainBmp{0, drawn->width(), drawn->height()}};
    return {kept.file.data() + kept.layout.pixel_offset, kept.layout};
}

void make_grid(int dpi, int side) {
    drop_grid();
    HDC screen = GetDC(nullptr);
    kept.grid = CreateCompatibleBitmap(screen, 4 * side, 4 * side);
    ReleaseDC(nullptr, screen);
    kept.grid_dc = kept.grid ? CreateCompatibleDC(nullptr) : nullptr;
    if (!kept.grid_dc) return drop_grid();
    kept.grid_before = SelectObject(kept.grid_dc, kept.grid);
    kept.grid_dpi = dpi;
    kept.grid_side = side;
    const Source from = source_for(dpi);
    for (int tile = 1; tile <= 15; ++tile) {
        const CellRect cell = tile_source_cell(tile, from.layout.width, from.layout.height);
        // A cell drawn for this very size is copied as it is; any other is stretched smoothly.
        SetStretchBltMode(kept.grid_dc, cell.width == side && cell.height == side ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(kept.grid_dc, 0, 0, nullptr);
        stretch_cell(kept.grid_dc, (tile - 1) % 4 * side, (tile - 1) / 4 * side, side, side, tile, from);
    }
}

}  // namespace

void forget_tile_picture() {
    drop_grid();
    kept.read = false;
    kept.file.clear();
    kept.file.shrink_to_fit();
    kept.shipped_numbers = false;
}

bool draw_tile_face(int tile, const DRAWITEMSTRUCT& item, const std::string& path, int dpi) {
    if (tile < 1 || tile > 15 || !refresh(path)) return false;
    const RECT& to = item.rcItem;
    const int width = to.right - to.left, height = to.bottom - to.top;
    if (dpi == BASE_DPI) {
        stretch_cell(item.hDC, to.left, to.top, width, height, tile, source_for(dpi));
        return true;
    }
    if (width != height || width <= 0) {
        SetStretchBltMode(item.hDC, HALFTONE);
        SetBrushOrgEx(item.hDC, 0, 0, nullptr);
        stretch_cell(item.hDC, to.left, to.top, width, height, tile, source_for(dpi));
        return true;
    }
    if (!kept.grid_dc || kept.grid_dpi != dpi || kept.grid_side != width) make_grid(dpi, width);
    if (!kept.grid_dc) return false;
    BitBlt(item.hDC, to.left, to.top, width, height, kept.grid_dc, (tile - 1) % 4 * width, (tile - 1) / 4 * width,
           SRCCOPY);
    return true;
}
