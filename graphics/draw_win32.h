// Painting the owner-drawn buttons and tiles, and the colours of the texts.
#pragma once

#include <windows.h>

#include <string>

// WM_DRAWITEM: the button's face resource, or for a tile its cell of the tile
// picture file (read anew each time; a missing file draws nothing).
void draw_control(int control_id, const DRAWITEMSTRUCT& item, const std::string& tile_picture_path);

// WM_CTLCOLORSTATIC: black text on a transparent background; returns the brush
// the control paints its background with.
HBRUSH color_static(HDC dc);
