// Comparison of captured tiles with the cells of the tile picture.
#include "faces.h"

#include <algorithm>
#include <cstdio>

#include "check.h"

namespace e2e {
namespace {

const int STEP = 2;            // sample every second pixel of a tile
const double MAX_ERROR = 8;   // mean colour difference allowed for a tile's own face

}  // namespace

// The cell (W/4 x H/4; the last column and row start at W - W/4 and H - H/4)
// is stretched onto 80 x 80, so each screen point is compared with the closest
// of the picture pixels next to its scaled place.
double face_error(const Image& screen, int x, int y, const Image& picture, int face) {
    const int w = picture.width, h = picture.height;
    const int origin_x[4] = {0, w / 4, w / 2, w - w / 4};
    const int origin_y[4] = {0, h / 4, h / 2, h - h / 4};
    const int cx = origin_x[(face - 1) % 4], cy = origin_y[(face - 1) / 4];
    const int cw = w / 4, ch = h / 4;
    long total = 0, points = 0;
    for (int dy = 1; dy < 80; dy += STEP) {
        for (int dx = 1; dx < 80; dx += STEP) {
            const Rgb seen = screen.at(x + dx, y + dy);
            const int sx = cx + dx * cw / 80, sy = cy + dy * ch / 80;
            int best = 255;
            for (int py = sy - 1; py <= sy + 1; ++py)
                for (int px = sx - 1; px <= sx + 1; ++px)
                    if (px >= cx && py >= cy && px < cx + cw && py < cy + ch)
                        best = std::min(best, colour_distance(picture.at(px, py), seen));
            total += best;
            ++points;
        }
    }
    return double(total) / points;
}

// Every tile is close to its own face, and closer to it than to any other face.
void check_faces(const App& app, const Image& picture, const char* when) {
    app.settle();
    Image screen;
    REQUIRE(capture_client(app.window(), screen));
    REQUIRE(screen.width == 742 && screen.height == 451);
    double worst_own = 0, closest_other = 1e9;
    for (int t = 1; t <= 15; ++t) {
        const ClientRect r = app.rect(TILE_ID[t]);
        const double own = face_error(screen, r.x, r.y, picture, t);
        double best_other = 1e9;
        int best_other_face = 0;
        for (int f = 1; f <= 15; ++f) {
            if (f == t) continue;
            const double e = face_error(screen, r.x, r.y, picture, f);
            if (e < best_other) best_other = e, best_other_face = f;
        }
        char note[160];
        std::snprintf(note, sizeof note, "%s, tile %d: error %.1f against its face, %.1f against face %d",
                      when, t, own, best_other, best_other_face);
        CHECK_EQ_AT(own <= MAX_ERROR, true, note);
        CHECK_EQ_AT(own < best_other, true, note);
        worst_own = std::max(worst_own, own);
        closest_other = std::min(closest_other, best_other);
    }
    std::printf("    %s: largest error against a tile's own face %.1f, smallest against another %.1f\n",
                when, worst_own, closest_other);
}

}  // namespace e2e
