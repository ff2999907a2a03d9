// The display's scale. The game's coordinates and sizes are its own at 96 DPI
// (100 %); on a monitor of another DPI each of them is that many pixels times
// DPI / 96, and the art is drawn for the nearest of a few scales.
#pragma once

constexpr int BASE_DPI = 96;

// A length or coordinate of the game's own layout at dpi, rounded to the
// nearest pixel with halves away from zero, as Windows' MulDiv rounds.
constexpr int scaled(int value, int dpi) {
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = BASE_DPI / 2;
    return static_cast<int>(product >= 0 ? (product + half) / BASE_DPI : -((half - product) / BASE_DPI));
}

// The scales the art is drawn at, as DPI: 100, 125, 150, 175 and 200 %.
inline constexpr int ART_DPIS[] = {96, 120, 144, 168, 192};
constexpr int ART_SCALE_COUNT = sizeof ART_DPIS / sizeof ART_DPIS[0];

// The index in ART_DPIS of the drawn scale nearest to dpi; of two equally
// near, the larger, so that art is shrunk rather than enlarged.
constexpr int nearest_art_scale(int dpi) {
    int best = 0;
    for (int i = 1; i < ART_SCALE_COUNT; ++i) {
        const int d = ART_DPIS[i] - dpi, best_d = ART_DPIS[best] - dpi;
        if ((d < 0 ? -d : d) <= (best_d < 0 ? -best_d : best_d)) best = i;
    }
    return best;
}

// A rectangle of the game's layout at dpi: its place and its size each scaled
// (not its far edges), so that controls of one size stay of one size.
struct ScaledRect {
    int x, y, width, height;
};
constexpr ScaledRect scaled_rect(int x, int y, int width, int height, int dpi) {
    return {scaled(x, dpi), scaled(y, dpi), scaled(width, dpi), scaled(height, dpi)};
}

// The game's own coordinate of a pixel at dpi: the largest whose scaled
// position is not past it, so that a point lies in a scaled rectangle exactly
// when its own coordinates lie in the game's rectangle.
constexpr int unscaled(int pixel, int dpi) {
    const long long product = static_cast<long long>(pixel) * BASE_DPI + BASE_DPI / 2 - 1;
    return static_cast<int>(product >= 0 ? product / dpi : -((dpi - 1 - product) / dpi));
}
