// Software rasteriser behind the game's artwork; see raster.h.
#include "raster.h"

#include "le_bytes.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace art {

namespace {

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

uint8_t to_byte(float v) {
    long q = std::lround(v);
    return static_cast<uint8_t>(q < 0 ? 0 : (q > 255 ? 255 : q));
}


Rect clip(const Image& img, Rect r) {
    return {std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, img.width()),
            std::min(r.y1, img.height())};
}

// The pixels a box in units touches, clipped to the image.
Rect pixels_touched(const Image& img, Rect units) {
    const float z = img.zoom();
    return clip(img, {int(std::floor(units.x0 * z)), int(std::floor(units.y0 * z)), int(std::ceil(units.x1 * z)),
                      int(std::ceil(units.y1 * z))});
}

// The pixel rectangle whose edges are nearest to a rectangle's in units.
Rect pixels_of(const Image& img, Rect units) {
    return {img.px(units.x0), img.px(units.y0), img.px(units.x1), img.px(units.y1)};
}

void info_header(std::vector<uint8_t>& b, int w, int h, int bits, uint32_t image_bytes) {
    put32(b, 40);
    put32(b, static_cast<uint32_t>(w));
    put32(b, static_cast<uint32_t>(h));
    put16(b, 1);
    put16(b, static_cast<uint32_t>(bits));
    put32(b, 0);  // BI_RGB
    put32(b, image_bytes);
    put32(b, 2835);  // 72 dpi
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
}

}  // namespace

Color rgb(int r, int g, int b) { return {float(r), float(g), float(b)}; }

Color mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scale(Color c, float k) { return {c.r * k, c.g * k, c.b * k}; }
Color lighten(Color c, float t) { return mix(c, rgb(255, 255, 255), clamp01(t)); }
Color darken(Color c, float t) { return mix(c, rgb(0, 0, 0), clamp01(t)); }

Image::Image(int width, int height, Color fill, float zoom)
    : w_(width), h_(height), zoom_(zoom), px_(static_cast<size_t>(width) * height, fill),
      alpha_(static_cast<size_t>(width) * height, 1.0f) {}

int Image::px(int units) const {
    const float p = units * zoom_;
    return p >= 0 ? static_cast<int>(std::floor(p + 0.5f)) : -static_cast<int>(std::floor(0.5f - p));
}

void Image::blend(int x, int y, Color c, float a) {
    if (!inside(x, y) || a <= 0) return;
    Color& p = at(x, y);
    p = mix(p, c, clamp01(a));
}

void Image::fill(Color c) { std::fill(px_.begin(), px_.end(), c); }

void Image::paste(const Image& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (inside(x + i, y + j)) at(x + i, y + j) = src.at(i, j);
}

Shader solid(Color c) {
    return [c](float, float) { return c; };
}

Shader vgradient(float y0, Color top, float y1, Color bottom) {
    return [=](float, float y) { return mix(top, bottom, clamp01((y - y0) / (y1 - y0))); };
}

float sd_box(float x, float y, float cx, float cy, float hw, float hh, float radius) {
    float qx = std::fabs(x - cx) - hw + radius;
    float qy = std::fabs(y - cy) - hh + radius;
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sd_circle(float x, float y, float cx, float cy, float r) {
    return std::hypot(x - cx, y - cy) - r;
}

float sd_ellipse(float x, float y, float cx, float cy, float rx, float ry) {
    // First-order distance estimate, good enough for anti-aliasing.
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    float k = std::sqrt(dx * dx + dy * dy);
    float gx = dx / rx, gy = dy / ry;
    float g = std::sqrt(gx * gx + gy * gy);
    if (g < 1e-6f) return -std::min(rx, ry);
    return (k - 1) * k / g;
}

float sd_segment(float x, float y, float ax, float ay, float bx, float by) {
    float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? clamp01((px * dx + py * dy) / len2) : 0;
    return std::hypot(px - dx * t, py - dy * t);
}

Distance round_rect(float x0, float y0, float x1, float y1, float radius) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hw = (x1 - x0) / 2, hh = (y1 - y0) / 2;
    return [=](float x, float y) { return sd_box(x, y, cx, cy, hw, hh, radius); };
}

// Pixel centres are taken in units, and distances back in pixels, so that
// every edge is anti-aliased over one pixel at any zoom.
void fill_shape(Image& img, Rect bbox, const Distance& d, const Shader& s, float opacity) {
    Rect r = pixels_touched(img, bbox);
    const float z = img.zoom();
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            float cx = (x + 0.5f) / z, cy = (y + 0.5f) / z;
            float cover = clamp01(0.5f - d(cx, cy) * z);
            if (cover > 0) img.blend(x, y, s(cx, cy), cover * opacity);
        }
}

void fill_region(Image& img, Rect bbox, const Inside& in, const Shader& s, float opacity) {
    Rect r = pixels_touched(img, bbox);
    const float z = img.zoom();
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            int hits = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    if (in((x + (i + 0.5f) / 4) / z, (y + (j + 0.5f) / 4) / z)) ++hits;
            if (hits) img.blend(x, y, s((x + 0.5f) / z, (y + 0.5f) / z), hits / 16.0f * opacity);
        }
}

void bevel(Image& img, Rect bbox, const Distance& d, float width, float depth) {
    Rect r = pixels_touched(img, bbox);
    const float lx = -0.7071f, ly = -0.7071f;
    const float z = img.zoom(), half = 0.5f / z, rim_width = width * z;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            float cx = (x + 0.5f) / z, cy = (y + 0.5f) / z;
            float dist = d(cx, cy) * z;  // in pixels
            if (dist > 0.5f || dist < -rim_width) continue;
            float gx = d(cx + half, cy) - d(cx - half, cy);
            float gy = d(cx, cy + half) - d(cx, cy - half);
            float g = std::hypot(gx, gy);
            if (g < 1e-5f) continue;
            float k = (gx * lx + gy * ly) / g * depth;
            float rim = clamp01(1 - (-dist) / rim_width);
            float cover = clamp01(0.5f - dist);
            Color& p = img.at(x, y);
            Color lit = k > 0 ? lighten(p, k * rim) : darken(p, -k * rim);
            p = mix(p, lit, cover);
        }
}

void stroke_shape(Image& img, Rect bbox, const Distance& d, float width, Color c, float opacity) {
    float half = width / 2;
    fill_shape(img, bbox, [&](float x, float y) { return std::fabs(d(x, y)) - half; }, solid(c),
               opacity);
}

void line(Image& img, float ax, float ay, float bx, float by, float width, Color c, float opacity) {
    Rect box{int(std::floor(std::min(ax, bx) - width - 1)), int(std::floor(std::min(ay, by) - width - 1)),
             int(std::ceil(std::max(ax, bx) + width + 1)), int(std::ceil(std::max(ay, by) + width + 1))};
    fill_shape(img, box,
               [&](float x, float y) { return sd_segment(x, y, ax, ay, bx, by) - width / 2; },
               solid(c), opacity);
}

void fill_pixels(Image& img, Rect pixels, Color c) {
    Rect r = clip(img, pixels);
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) img.at(x, y) = c;
}

void fill_rect(Image& img, Rect r, Color c) { fill_pixels(img, pixels_of(img, r), c); }

void blend_rect(Image& img, Rect r, Color c, float opacity) {
    r = clip(img, pixels_of(img, r));
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) img.blend(x, y, c, opacity);
}

void shadow(Image& img, Rect bbox, const Distance& d, float dx, float dy, float radius,
            float strength) {
    Rect r = pixels_touched(img, bbox);
    const float z = img.zoom();
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            float v = d((x + 0.5f) / z - dx, (y + 0.5f) / z - dy);
            float t = clamp01((radius - v) / (2 * radius));
            t = t * t * (3 - 2 * t);
            if (t > 0) img.blend(x, y, rgb(0, 0, 0), t * strength);
        }
}

uint64_t Random::next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return s_;
}

float Random::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }

float Random::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

Noise::Noise(uint64_t seed) : table_(256 * 256) {
    Random r(seed);
    for (float& v : table_) v = r.uniform();
}

float Noise::lattice(int x, int y) const { return table_[((y & 255) << 8) | (x & 255)]; }

float Noise::value(float x, float y) const {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = lattice(ix, iy), b = lattice(ix + 1, iy);
    float c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float Noise::fbm(float x, float y, int octaves) const {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * value(x, y);
        norm += amp;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f + 5.3f;
        amp *= 0.5f;
    }
    return sum / norm;
}

Image downsample(const Image& src, int factor) {
    Image out(src.width() / factor, src.height() / factor);
    float n = static_cast<float>(factor * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            Color sum;
            float a = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    const Color& c = src.at(x * factor + i, y * factor + j);
                    float ca = src.alpha(x * factor + i, y * factor + j);
                    sum.r += c.r * ca;
                    sum.g += c.g * ca;
                    sum.b += c.b * ca;
                    a += ca;
                }
            out.at(x, y) = a > 0 ? scale(sum, 1 / a) : Color{};
            out.alpha(x, y) = a / n;
        }
    return out;
}

Image resize(const Image& src, int width, int height) {
    Image out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float sx = std::clamp((x + 0.5f) * src.width() / width - 0.5f, 0.0f, src.width() - 1.0f);
            float sy = std::clamp((y + 0.5f) * src.height() / height - 0.5f, 0.0f, src.height() - 1.0f);
            int x0 = static_cast<int>(sx), y0 = static_cast<int>(sy);
            int x1 = std::min(x0 + 1, src.width() - 1), y1 = std::min(y0 + 1, src.height() - 1);
            float fx = sx - x0, fy = sy - y0;
            out.at(x, y) = mix(mix(src.at(x0, y0), src.at(x1, y0), fx),
                               mix(src.at(x0, y1), src.at(x1, y1), fx), fy);
        }
    return out;
}

std::vector<uint8_t> encode_bmp24(const Image& img) {
    const int w = img.width(), h = img.height();
    const uint32_t row = static_cast<uint32_t>((w * 3 + 3) & ~3);
    const uint32_t image_bytes = row * static_cast<uint32_t>(h);
    std::vector<uint8_t> b;
    b.reserve(54 + image_bytes);
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + image_bytes);
    put32(b, 0);
    put32(b, 54);
    info_header(b, w, h, 24, image_bytes);
    for (int y = h - 1; y >= 0; --y) {
        size_t start = b.size();
        for (int x = 0; x < w; ++x) {
            const Color& c = img.at(x, y);
            b.push_back(to_byte(c.b));
            b.push_back(to_byte(c.g));
            b.push_back(to_byte(c.r));
        }
        while (b.size() - start < row) b.push_back(0);
    }
    return b;
}

std::vector<uint8_t> encode_ico24(const std::vector<Image>& images) {
    std::vector<uint8_t> b;
    put16(b, 0);
    put16(b, 1);  // icon
    put16(b, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const Image& img : images) {
        const int w = img.width(), h = img.height();
        const uint32_t colour_row = static_cast<uint32_t>((w * 3 + 3) & ~3);
        const uint32_t mask_row = static_cast<uint32_t>(((w + 31) / 32) * 4);
        const uint32_t image_bytes = (colour_row + mask_row) * static_cast<uint32_t>(h);
        b.push_back(static_cast<uint8_t>(w));
        b.push_back(static_cast<uint8_t>(h));
        b.push_back(0);  // no palette
        b.push_back(0);
        put16(b, 1);   // planes
        put16(b, 24);  // bits
        put32(b, 40 + image_bytes);
        put32(b, offset);
        offset += 40 + image_bytes;
    }
    for (const Image& img : images) {
        const int w = img.width(), h = img.height();
        const uint32_t colour_row = static_cast<uint32_t>((w * 3 + 3) & ~3);
        const uint32_t mask_row = static_cast<uint32_t>(((w + 31) / 32) * 4);
        info_header(b, w, h * 2, 24, (colour_row + mask_row) * static_cast<uint32_t>(h));  // the height counts the AND mask too
        // Transparent pixels are black in the colour rows and set in the mask, so the
        // desktop shows through them unchanged.
        for (int y = h - 1; y >= 0; --y) {
            const size_t start = b.size();
            for (int x = 0; x < w; ++x) {
                const bool shown = img.alpha(x, y) >= 0.5f;
                const Color& c = img.at(x, y);
                b.push_back(shown ? to_byte(c.b) : 0);
                b.push_back(shown ? to_byte(c.g) : 0);
                b.push_back(shown ? to_byte(c.r) : 0);
            }
            while (b.size() - start < colour_row) b.push_back(0);
        }
        for (int y = h - 1; y >= 0; --y) {
            std::vector<uint8_t> bits(mask_row, 0);
            for (int x = 0; x < w; ++x)
                if (img.alpha(x, y) < 0.5f) bits[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            b.insert(b.end(), bits.begin(), bits.end());
        }
    }
    return b;
}

std::vector<uint8_t> encode_ico24(const Image& img) { return encode_ico24(std::vector<Image>{img}); }

std::vector<uint8_t> rgb_bytes(const Image& img) {
    std::vector<uint8_t> b;
    b.reserve(static_cast<size_t>(img.width()) * img.height() * 3);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const Color& c = img.at(x, y);
            b.push_back(to_byte(c.r));
            b.push_back(to_byte(c.g));
            b.push_back(to_byte(c.b));
        }
    return b;
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace art
