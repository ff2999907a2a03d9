// Painting the owner-drawn buttons and tiles, and the colours of the texts.
#pragma once

#include <windows.h>

#include <string>

// WM_DRAWITEM: the button's face resource, or for a tile its cell of the tile
// picture file (kept between draws until the file changes; a missing file
// draws nothing), for a window on a monitor of dpi. A hinted tile gets a
// frame over its face.
void draw_control(int control_id, const DRAWITEMSTRUCT& item, const std::string& tile_picture_path,
                  bool hinted = false, int dpi = 96);

// The hint's frame on a tile: its colours and widths in pixels at 100 %, outside first.
constexpr COLORREF HINT_FRAME_OUTER = RGB(0, 0, 0);
constexpr COLORREF HINT_FRAME_INNER = RGB(255, 220, 0);
constexpr int HINT_FRAME_OUTER_WIDTH = 3;
constexpr int HINT_FRAME_INNER_WIDTH = 3;

// WM_CTLCOLORSTATIC: black text on a transparent background; returns the brush
// the control paints its background with.
HBRUSH color_static(HDC dc);
