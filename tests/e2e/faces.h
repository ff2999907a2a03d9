// Checks that the tiles on the screen show their faces: tile t the cell t of
// the tile picture, stretched onto the 80 x 80 button.
#pragma once

#include "app.h"
#include "image.h"

namespace e2e {

// Mean colour difference between the tile at (x, y) of a capture and the
// picture's cell of tile `face`.
double face_error(const Image& screen, int x, int y, const Image& picture, int face);

// Captures the window and checks every tile against picture; `when` names the
// moment in failure messages.
void check_faces(const App& app, const Image& picture, const char* when);

}  // namespace e2e
