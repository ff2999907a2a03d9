// The tiles' faces, cut from the tile picture kept in memory between draws:
// the file is read once and again only when it changes (its size or its time
// of writing) or the game has written it. A full repaint then reads no file.
#pragma once

#include <windows.h>

#include <string>

// Draws tile 1..15's face from the tile picture file at path into the item's
// rectangle, for a window at dpi. At 96 DPI exactly as the face was always
// drawn (the cell stretched in the device context's own mode); at a larger
// scale the number picture as shipped comes from its drawing for that scale,
// and any other picture is stretched smoothly (HALFTONE). False, with nothing
// drawn, when the file is missing or not a plain 24-bit BMP small enough to keep.
bool draw_tile_face(int tile, const DRAWITEMSTRUCT& item, const std::string& path, int dpi);

// The game has just written the tile picture: read it again at the next draw,
// whatever its stamp says (a FAT disk keeps times to two seconds).
void forget_tile_picture();
