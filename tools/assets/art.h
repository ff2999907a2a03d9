// The game's pictures: the window skin, the button faces, the icon, the number
// picture and the sample pictures for LOAD PIC.
#pragma once

#include "font.h"
#include "raster.h"

namespace art {

// The skin, the faces and the number picture are drawn for a display of the
// given DPI: at 96 the game's own pixels, at 192 the same drawing twice as large.
Image make_skin(const Fonts& fonts, int dpi);
// The face bitmap with the given resource identifier (see BITMAP_RESOURCES).
Image make_face(int id, const Fonts& fonts, int dpi);
// The icon of n x n pixels: a little tile board with rounded, transparent corners.
Image make_icon(int n);

// "PuzNumbs.bmp": tiles 1 to 15 in reading order on a 320 x 320 picture.
Image make_number_picture(const Fonts& fonts, int dpi);

// An image for a drawing of w x h units (pixels at 96 DPI) at the given DPI.
Image canvas(int w, int h, int dpi, Color fill = {});
Image make_clown();
Image make_bells();
Image make_santa();
Image make_landscape();
Image make_sunset();
Image make_flower();

// The picture of a little tile board drawn into img at (x, y) with the given size.
void draw_board_emblem(Image& img, float x, float y, float size);

}  // namespace art
