// The game's pictures: the window skin, the button faces, the icon, the number
// picture and the sample pictures for LOAD PIC.
#pragma once

#include "font.h"
#include "raster.h"

namespace art {

Image make_skin(const Fonts& fonts);
// The face bitmap with the given resource identifier (see BITMAP_RESOURCES).
Image make_face(int id, const Fonts& fonts);
// The 48 x 48 icon: a little tile board with rounded, transparent corners.
Image make_icon();

// "PuzNumbs.bmp": tiles 1 to 15 in reading order on a 320 x 320 picture.
Image make_number_picture(const Fonts& fonts);
Image make_clown();
Image make_bells();
Image make_santa();
Image make_landscape();
Image make_sunset();
Image make_flower();

// The picture of a little tile board drawn into img at (x, y) with the given size.
void draw_board_emblem(Image& img, float x, float y, float size);

}  // namespace art
