// A small software rasteriser for the game's artwork: an RGB float canvas,
// anti-aliased shapes from signed distances or inside tests, gradients,
// bevels, deterministic noise, and the BMP and ICO writers.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct Color {
    float r = 0, g = 0, b = 0;
};

Color rgb(int r, int g, int b);
Color mix(Color a, Color b, float t);          // a at t = 0, b at t = 1
Color scale(Color c, float k);                 // brightness factor
Color lighten(Color c, float t);               // toward white by t
Color darken(Color c, float t);                // toward black by t
inline Color lerp(Color a, Color b, float t) { return mix(a, b, t); }
inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

// Pixels, and the units a drawing on them is made in: a drawing of the game's
// 100 % layout made on an image of zoom 2 is the same drawing at 200 %, every
// shape, rectangle, line and text twice as large and drawn for that size.
class Image {
public:
    Image() = default;
    Image(int width, int height, Color fill = {}, float zoom = 1);
    int width() const { return w_; }   // pixels
    int height() const { return h_; }
    float zoom() const { return zoom_; }  // pixels to a unit
    // The pixel edge nearest to a unit coordinate, halves away from zero (as
    // the program rounds its layout).
    int px(int units) const;
    Color& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
    const Color& at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
    float& alpha(int x, int y) { return alpha_[static_cast<size_t>(y) * w_ + x]; }
    float alpha(int x, int y) const { return alpha_[static_cast<size_t>(y) * w_ + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    // Paints c over the pixel with coverage a (0..1); clipped. In pixels.
    void blend(int x, int y, Color c, float a);
    void fill(Color c);
    // Copies another image with its top-left corner at pixel (x, y).
    void paste(const Image& src, int x, int y);

private:
    int w_ = 0, h_ = 0;
    float zoom_ = 1;
    std::vector<Color> px_;
    std::vector<float> alpha_;  // used only for icons; 1 everywhere else
};

struct Rect {
    int x0, y0, x1, y1;  // half-open: x0 <= x < x1
};

// The drawing functions below take positions, sizes, widths and distances in
// the image's units (see Image::zoom); shaders and distance functions are
// called with unit coordinates.

using Shader = std::function<Color(float x, float y)>;
using Distance = std::function<float(float x, float y)>;
using Inside = std::function<bool(float x, float y)>;

Shader solid(Color c);
// Vertical gradient from top colour at y0 to bottom colour at y1.
Shader vgradient(float y0, Color top, float y1, Color bottom);

// Signed distances (negative inside) of basic shapes, in pixel units.
float sd_box(float x, float y, float cx, float cy, float hw, float hh, float radius);
float sd_circle(float x, float y, float cx, float cy, float r);
float sd_ellipse(float x, float y, float cx, float cy, float rx, float ry);
float sd_segment(float x, float y, float ax, float ay, float bx, float by);
// A rounded box given by its pixel rectangle (inclusive-exclusive bounds).
Distance round_rect(float x0, float y0, float x1, float y1, float radius);

// Fills the shape with anti-aliased edges, clipped to bbox.
void fill_shape(Image& img, Rect bbox, const Distance& d, const Shader& s, float opacity = 1);
// Fills by an inside test with 4 x 4 supersampling (for shapes without a distance).
void fill_region(Image& img, Rect bbox, const Inside& in, const Shader& s, float opacity = 1);
// Lights the rim of a shape as if raised (depth > 0) or sunken (depth < 0),
// light from the top left; width is the rim in pixels.
void bevel(Image& img, Rect bbox, const Distance& d, float width, float depth);
// A stroke of the given width along the outline of a shape.
void stroke_shape(Image& img, Rect bbox, const Distance& d, float width, Color c, float opacity = 1);
void line(Image& img, float ax, float ay, float bx, float by, float width, Color c, float opacity = 1);
void fill_rect(Image& img, Rect r, Color c);
// Blends c with the given opacity over every pixel of r.
void blend_rect(Image& img, Rect r, Color c, float opacity);
// fill_rect on a rectangle given in pixels.
void fill_pixels(Image& img, Rect pixels, Color c);
// A soft drop shadow under a shape, offset by (dx, dy), blurred over radius.
void shadow(Image& img, Rect bbox, const Distance& d, float dx, float dy, float radius, float strength);

// Deterministic pseudo-random numbers (xorshift) and value noise.
class Random {
public:
    explicit Random(uint64_t seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint64_t next();
    float uniform();                    // [0, 1)
    float range(float lo, float hi);
private:
    uint64_t s_;
};

class Noise {
public:
    explicit Noise(uint64_t seed);
    float value(float x, float y) const;            // smooth, 0..1
    float fbm(float x, float y, int octaves) const; // fractal sum, about 0..1
private:
    float lattice(int x, int y) const;
    std::vector<float> table_;
};

// The grain of a texture drawn at zoom 1, for a pixel of a zoomed image: the
// texture's value at each pixel (x, y) of the zoom-1 drawing, interpolated
// bilinearly at the pixel centre (ux, uy), in units. At zoom 1 it is the
// texture's own value; above it, the grain is the 100 % grain enlarged, which
// the program's own enlargement of the 100 % art reproduces.
template <class Texture>
auto enlarged(const Texture& texture, float ux, float uy) {
    const float sx = ux - 0.5f, sy = uy - 0.5f;
    const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
    const float fx = sx - x0, fy = sy - y0;
    const auto top = lerp(texture(x0, y0), texture(x0 + 1, y0), fx);
    const auto bottom = lerp(texture(x0, y0 + 1), texture(x0 + 1, y0 + 1), fx);
    return lerp(top, bottom, fy);
}

// Box-filter reduction by an integer factor (for supersampled drawings; in pixels).
Image downsample(const Image& src, int factor);
// Bilinear resampling to any size (in pixels).
Image resize(const Image& src, int width, int height);

// 24-bit uncompressed BMP with a BITMAPINFOHEADER, rows bottom-up, padded to 4 bytes.
std::vector<uint8_t> encode_bmp24(const Image& img);
// An icon file with one 24-bit image and its AND mask (alpha below one half is transparent).
std::vector<uint8_t> encode_ico24(const Image& img);
// The same with one such image for each of several sizes.
std::vector<uint8_t> encode_ico24(const std::vector<Image>& images);
// The pixels as bytes red, green, blue, rows from the top, rounded as the BMP writer rounds.
std::vector<uint8_t> rgb_bytes(const Image& img);
bool write_file(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace art
