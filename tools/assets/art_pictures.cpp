// The number picture and the sample pictures of the picture folder.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "art.h"

namespace art {

namespace {

const float PI = 3.14159265f;

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

Rect around(float cx, float cy, float rx, float ry) {
    return {int(cx - rx) - 2, int(cy - ry) - 2, int(cx + rx) + 3, int(cy + ry) + 3};
}

Distance circle(float cx, float cy, float r) {
    return [=](float x, float y) { return sd_circle(x, y, cx, cy, r); };
}

Distance ellipse(float cx, float cy, float rx, float ry) {
    return [=](float x, float y) { return sd_ellipse(x, y, cx, cy, rx, ry); };
}

// A ball shaded as if lit from the upper left.
Shader ball(float cx, float cy, float r, Color base) {
    return [=](float x, float y) {
        float d = std::hypot(x - (cx - r * 0.35f), y - (cy - r * 0.4f)) / (r * 1.6f);
        return d < 0.5f ? mix(lighten(base, 0.55f), base, d * 2) : mix(base, darken(base, 0.45f), (d - 0.5f) * 2);
    };
}

void disc(Image& img, float cx, float cy, float r, const Shader& s, float opacity = 1) {
    fill_shape(img, around(cx, cy, r, r), circle(cx, cy, r), s, opacity);
}

// Scattered soft dots, for snow and stars.
void sprinkle(Image& img, uint64_t seed, int count, float rmin, float rmax, Color c, float opacity) {
    Random rnd(seed);
    for (int i = 0; i < count; ++i) {
        float x = rnd.range(0, img.width()), y = rnd.range(0, img.height());
        float r = rnd.range(rmin, rmax);
        disc(img, x, y, r, solid(c), opacity * rnd.range(0.5f, 1));
    }
}

Shader radial(float cx, float cy, float r, Color inner, Color outer) {
    return [=](float x, float y) { return mix(inner, outer, clamp01(std::hypot(x - cx, y - cy) / r)); };
}

// One tile of the number picture.
void number_tile(Image& img, int ox, int oy, int number, const Fonts& fonts) {
    const float s = 80;
    Rect r{ox, oy, ox + 80, oy + 80};
    Distance body = round_rect(ox + 1, oy + 1, ox + s - 1, oy + s - 1, 8);
    fill_shape(img, r, body, vgradient(oy, rgb(255, 246, 224), oy + s, rgb(222, 196, 148)));
    bevel(img, r, body, 5, 0.6f);
    Distance face = round_rect(ox + 9, oy + 9, ox + s - 9, oy + s - 9, 6);
    bevel(img, r, face, 2, -0.25f);
    stroke_shape(img, r, body, 1, rgb(96, 56, 24), 0.7f);
    const std::string text = std::to_string(number);
    const float size = 42;
    const float cx = ox + s / 2, cy = oy + s / 2;
    fonts.bold.draw_centred(img, cx + 1.5f, cy + 1.5f, text, size, rgb(255, 255, 255), 0.9f);
    fonts.bold.draw_centred(img, cx - 0.8f, cy - 0.8f, text, size, rgb(70, 18, 6), 0.6f);
    fonts.bold.draw_centred(img, cx, cy, text, size, rgb(168, 44, 22));
}

}  // namespace

Image make_number_picture(const Fonts& fonts, int dpi) {
    Image img = canvas(320, 320, dpi);
    const float z = img.zoom();
    Noise noise(0xB0A4D);
    // The grain of the 100 % picture, enlarged at larger scales (see enlarged).
    const auto grain = [&noise](int x, int y) {
        return mix(rgb(70, 40, 20), rgb(96, 58, 30), noise.fbm(x * 0.02f, y * 0.08f, 3));
    };
    for (int py = 0; py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px) img.at(px, py) = enlarged(grain, (px + 0.5f) / z, (py + 0.5f) / z);
    for (int k = 0; k < 15; ++k) number_tile(img, (k % 4) * 80, (k / 4) * 80, k + 1, fonts);
    return img;
}

Image make_clown() {
    const int n = 320;
    Image img(n, n);
    const float cx = 160;
    // Circus tent rays.
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float a = std::atan2(y - 200.0f, x - cx);
            bool stripe = std::fmod(a + 2 * PI, PI / 8) < PI / 16;
            Color c = stripe ? rgb(255, 214, 64) : rgb(92, 170, 236);
            img.at(x, y) = mix(c, darken(c, 0.35f), clamp01(std::hypot(x - cx, y - 200.0f) / 300));
        }
    // Ruffled collar.
    for (int i = 0; i < 9; ++i) {
        float x = 40 + i * 30, y = 300 + (i % 2) * 4;
        disc(img, x, y, 26, ball(x, y, 26, i % 2 ? rgb(230, 40, 40) : rgb(250, 250, 250)));
    }
    // Curly orange hair on both sides.
    Random rnd(5);
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 16; ++i) {
            float a = rnd.range(-1.0f, 1.2f);
            float x = cx + side * (82 + 28 * std::cos(a)) , y = 175 + 50 * std::sin(a);
            float r = rnd.range(16, 24);
            disc(img, x, y, r, ball(x, y, r, rgb(250, 120, 20)));
        }
    // White face.
    shadow(img, around(cx, 190, 95, 105), ellipse(cx, 188, 84, 96), 3, 5, 6, 0.4f);
    fill_shape(img, around(cx, 188, 86, 98), ellipse(cx, 188, 84, 96), radial(cx - 20, 160, 150, rgb(255, 255, 255), rgb(220, 224, 232)));
    // Cone hat with polka dots and a pompom.
    Inside hat = [](float x, float y) { return y < 110 && y > 14 && std::fabs(x - 160) < (y - 14) * 0.62f; };
    fill_region(img, {90, 10, 231, 112}, hat, [](float x, float) { return mix(rgb(170, 60, 200), rgb(96, 30, 130), clamp01((x - 110) / 110)); });
    for (auto [dx, dy] : {std::pair{150.0f, 60.0f}, {176, 82}, {142, 94}, {164, 36}, {198, 100}, {120, 100}, {128, 74}})
        fill_region(img, around(dx, dy, 8, 8), [&, dx = dx, dy = dy](float x, float y) {
            return hat(x, y) && std::hypot(x - dx, y - dy) < 6;
        }, solid(rgb(255, 230, 70)));
    fill_shape(img, {88, 96, 234, 120}, round_rect(92, 100, 228, 114, 6), vgradient(100, rgb(255, 240, 120), 114, rgb(220, 160, 20)));
    disc(img, 160, 16, 14, ball(160, 16, 14, rgb(255, 255, 255)));
    // Eyes: blue diamonds, white, pupils, and arched brows.
    for (int side = -1; side <= 1; side += 2) {
        float ex = cx + side * 34, ey = 160;
        fill_region(img, around(ex, ey, 26, 32), [=](float x, float y) { return std::fabs(x - ex) / 20 + std::fabs(y - ey) / 30 < 1; }, solid(rgb(40, 110, 230)), 0.85f);
        fill_shape(img, around(ex, ey, 12, 14), ellipse(ex, ey, 11, 13), solid(rgb(255, 255, 255)));
        disc(img, ex + side * 2, ey + 2, 6, solid(rgb(20, 20, 30)));
        disc(img, ex + side * 2 - 2, ey - 1, 2, solid(rgb(255, 255, 255)));
        fill_shape(img, around(ex, ey - 34, 24, 12), [=](float x, float y) {
            return std::fabs(sd_ellipse(x, y, ex, ey - 22, 18, 14)) - 2.2f + (y > ey - 26 ? 10.0f : 0.0f);
        }, solid(rgb(30, 30, 40)));
    }
    // Rosy cheeks.
    for (int side = -1; side <= 1; side += 2) disc(img, cx + side * 56, 212, 16, solid(rgb(255, 120, 140)), 0.45f);
    // The big smile: a crescent with a white rim.
    Distance smile_out = [=](float x, float y) {
        return std::max(sd_ellipse(x, y, cx, 222, 58, 42), -sd_ellipse(x, y, cx, 200, 66, 38));
    };
    fill_shape(img, {90, 200, 230, 272}, [&](float x, float y) { return smile_out(x, y) - 4; }, solid(rgb(255, 255, 255)));
    fill_shape(img, {90, 200, 230, 272}, smile_out, vgradient(225, rgb(230, 30, 40), 262, rgb(150, 10, 20)));
    // Red nose.
    shadow(img, around(cx, 192, 30, 30), circle(cx, 190, 21), 2, 4, 4, 0.35f);
    disc(img, cx, 190, 21, ball(cx, 190, 21, rgb(232, 16, 24)));
    return img;
}

Image make_bells() {
    const int n = 320;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            img.at(x, y) = mix(rgb(24, 110, 60), rgb(6, 44, 24), clamp01(std::hypot(x - 160.0f, y - 150.0f) / 240));
    sprinkle(img, 77, 90, 0.8f, 2.2f, rgb(255, 255, 255), 0.7f);

    // A bell in its own frame: u across, v down from the crown (0) to the lip (1).
    auto bell = [&](float bx, float by, float height, float tilt) {
        const float c = std::cos(tilt), s = std::sin(tilt);
        auto local = [=](float x, float y, float& u, float& v) {
            float dx = x - bx, dy = y - by;
            u = (dx * c + dy * s) / height;
            v = (-dx * s + dy * c) / height;
        };
        auto half = [](float v) { return 0.26f + 0.08f * v + 0.36f * std::pow(v, 4.0f); };
        Inside body = [=](float x, float y) {
            float u, v;
            local(x, y, u, v);
            if (v >= 0 && v <= 1) return std::fabs(u) < half(v);
            if (v < 0) return u * u + (v / 0.75f) * (v / 0.75f) < 0.26f * 0.26f;
            return (u * u) / (0.7f * 0.7f) + ((v - 1) * (v - 1)) / (0.09f * 0.09f) < 1;
        };
        Shader gold = [=](float x, float y) {
            float u, v;
            local(x, y, u, v);
            float w = half(std::clamp(v, 0.0f, 1.0f));
            float t = std::clamp(u / w, -1.0f, 1.0f);
            float shine = std::exp(-std::pow((t + 0.35f) / 0.22f, 2.0f));
            Color base = mix(rgb(250, 200, 60), rgb(150, 90, 10), (t + 1) / 2);
            return mix(base, rgb(255, 250, 210), shine * 0.85f);
        };
        Rect box{int(bx - height), int(by - height * 0.5f), int(bx + height), int(by + height * 1.4f)};
        // The clapper peeks out below the lip.
        float kx = bx - s * height * 1.08f, ky = by + c * height * 1.08f;
        disc(img, kx, ky, height * 0.11f, ball(kx, ky, height * 0.11f, rgb(200, 140, 30)));
        fill_region(img, box, body, gold);
        // The dark mouth of the bell and a rim line.
        fill_region(img, box, [=](float x, float y) {
            float u, v;
            local(x, y, u, v);
            return (u * u) / (0.6f * 0.6f) + ((v - 1.01f) * (v - 1.01f)) / (0.05f * 0.05f) < 1;
        }, solid(rgb(90, 50, 6)), 0.8f);
        fill_region(img, box, [=](float x, float y) {
            float u, v;
            local(x, y, u, v);
            return v > 0.8f && v < 0.86f && std::fabs(u) < half(v);
        }, solid(rgb(255, 236, 150)), 0.6f);
    };
    bell(104, 128, 122, 0.3f);
    bell(216, 128, 122, -0.3f);

    // A red ribbon bow joining the two crowns, with holly.
    const Color red = rgb(214, 22, 36);
    Shader satin = [&](float, float y) { return mix(lighten(red, 0.25f), darken(red, 0.3f), clamp01((y - 60) / 60)); };
    fill_region(img, {110, 100, 210, 190}, [](float x, float y) {
        float t = (y - 100) / 80;
        return t >= 0 && t <= 1 && std::fabs(x - (160 - 28 * t)) < 8 - 2 * t;
    }, satin);
    fill_region(img, {110, 100, 210, 190}, [](float x, float y) {
        float t = (y - 100) / 80;
        return t >= 0 && t <= 1 && std::fabs(x - (160 + 28 * t)) < 8 - 2 * t;
    }, satin);
    for (int side = -1; side <= 1; side += 2) {
        float lx = 160 + side * 34;
        Distance loop = [=](float x, float y) {
            float dx = x - lx, dy = y - 80;
            float rx = dx * 0.94f - side * dy * 0.34f, ry = side * dx * 0.34f + dy * 0.94f;
            return sd_ellipse(rx, ry, 0, 0, 34, 18);
        };
        fill_shape(img, {100, 40, 220, 120}, loop, satin);
        fill_shape(img, {100, 40, 220, 120}, [&](float x, float y) { return std::fabs(loop(x, y) + 5) - 1.5f; }, solid(darken(red, 0.4f)), 0.5f);
    }
    disc(img, 160, 88, 14, ball(160, 88, 14, red));
    // Holly leaves and berries.
    for (int side = -1; side <= 1; side += 2) {
        float lx = 160 + side * 62, ly = 52;
        fill_region(img, around(lx, ly, 40, 20), [=](float x, float y) {
            float dx = (x - lx) * side, dy = y - ly;
            float u = (dx * 0.94f + dy * 0.34f) / 34, v = (-dx * 0.34f + dy * 0.94f) / 12;
            float edge = 1 - 0.18f * std::fabs(std::sin(u * PI * 3));
            return u * u + v * v < edge * edge;
        }, vgradient(ly - 12, rgb(60, 170, 70), ly + 12, rgb(20, 90, 30)));
    }
    for (auto [bx, by] : {std::pair{152.0f, 62.0f}, {166, 58}, {160, 70}})
        disc(img, bx, by, 7, ball(bx, by, 7, rgb(220, 20, 30)));
    return img;
}

Image make_santa() {
    const int n = 320;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) img.at(x, y) = mix(rgb(20, 40, 96), rgb(6, 12, 40), y / 320.0f);
    sprinkle(img, 99, 120, 1.0f, 2.6f, rgb(255, 255, 255), 0.8f);
    const float cx = 160;
    // Beard: a cloud of white curls below the face.
    Random rnd(12);
    Shader snowy = [](float x, float y) { return mix(rgb(255, 255, 255), rgb(206, 210, 222), clamp01((y - 180) / 140) * 0.6f + clamp01(std::fabs(x - 160) / 120) * 0.3f); };
    fill_shape(img, {40, 140, 280, 320}, [=](float x, float y) {
        float d = sd_ellipse(x, y, cx, 222, 96, 96);
        return std::max(d, 168 - y);
    }, snowy);
    for (int i = 0; i < 26; ++i) {
        float a = PI * (0.08f + 0.84f * i / 25.0f);
        float x = cx + 92 * std::cos(a), y = 222 + 92 * std::sin(a);
        disc(img, x, y, rnd.range(16, 22), snowy);
    }
    // Face.
    fill_shape(img, around(cx, 158, 72, 66), ellipse(cx, 158, 66, 60), radial(cx - 15, 140, 110, rgb(255, 220, 196), rgb(232, 170, 140)));
    // Hat: a red cone flopping over to the right, white fur trim and pompom.
    fill_region(img, {70, 0, 300, 120}, [](float x, float y) {
        // Between two curves from the brim up to the tip at (262, 70).
        if (y > 100) return false;
        float t = (x - 88) / 174;
        if (t < 0 || t > 1) return false;
        float top = 100 - 110 * std::sin(t * PI * 0.62f) + 40 * t * t;
        float bottom = 100 - 30 * t * t + 0 * t;
        return y > top && y < bottom + (t > 0.8f ? 0 : 0);
    }, [](float x, float y) { return mix(rgb(236, 30, 40), rgb(140, 8, 16), clamp01((x - 90) / 200 + (y - 20) / 300)); });
    fill_shape(img, {70, 84, 252, 126}, round_rect(78, 88, 242, 118, 15), snowy);
    for (int i = 0; i < 12; ++i) disc(img, 86 + i * 14, 88 + (i % 2) * 28, 8, snowy);
    disc(img, 268, 84, 17, ball(268, 84, 17, rgb(255, 255, 255)));
    // Eyes, brows, cheeks and nose.
    for (int side = -1; side <= 1; side += 2) {
        float ex = cx + side * 26, ey = 150;
        fill_shape(img, around(ex, ey, 9, 9), ellipse(ex, ey, 6, 7.5f), solid(rgb(30, 24, 30)));
        disc(img, ex - 2, ey - 3, 2, solid(rgb(255, 255, 255)));
        fill_shape(img, around(ex, ey - 15, 20, 10), ellipse(ex + side * 2, ey - 16, 17, 6), solid(rgb(250, 250, 250)));
        disc(img, cx + side * 42, 176, 15, solid(rgb(240, 90, 90)), 0.45f);
    }
    // Moustache, mouth and nose.
    fill_shape(img, {100, 186, 220, 240}, ellipse(cx, 218, 22, 12), solid(rgb(140, 20, 30)));
    for (int side = -1; side <= 1; side += 2) {
        Distance m = [=](float x, float y) {
            float dx = x - (cx + side * 30), dy = y - 196;
            float rx = dx * 0.96f + side * dy * 0.28f, ry = -side * dx * 0.28f + dy * 0.96f;
            return sd_ellipse(rx, ry, 0, 0, 34, 14);
        };
        fill_shape(img, {90, 170, 230, 230}, m, snowy);
        stroke_shape(img, {90, 170, 230, 230}, m, 1, rgb(180, 186, 200), 0.6f);
    }
    disc(img, cx, 180, 15, ball(cx, 180, 15, rgb(236, 110, 100)));
    return img;
}

Image make_landscape() {
    const int w = 320, h = 240;
    Image img(w, h);
    Noise noise(0x1A4D);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Color sky = mix(rgb(70, 130, 210), rgb(200, 226, 246), y / 140.0f);
            float cloud = clamp01((noise.fbm(x * 0.015f, y * 0.04f, 5) - 0.55f) * 4);
            img.at(x, y) = mix(sky, rgb(255, 255, 255), cloud * clamp01(1 - y / 120.0f));
        }
    disc(img, 250, 50, 22, solid(rgb(255, 246, 200)));
    // Two mountain ranges, the far one hazy and snow-capped.
    struct Peak { float x, top; };
    auto range = [&](const std::vector<Peak>& peaks, float base, float slope, Color rock, bool snow, uint64_t seed) {
        Noise rn(seed);
        for (int x = 0; x < w; ++x) {
            float ridge = base;
            for (const Peak& p : peaks) ridge = std::min(ridge, p.top + std::fabs(x - p.x) * slope);
            ridge += (rn.fbm(x * 0.08f, 0.5f, 3) - 0.5f) * 10;
            for (int y = std::max(0, int(ridge)); y < 172; ++y) {
                float shade = rn.fbm(x * 0.05f, y * 0.05f, 3);
                Color c = mix(rock, darken(rock, 0.3f), shade);
                float snowline = 62 + 20 * rn.value(x * 0.05f, 3);
                if (snow && y < snowline) c = mix(rgb(250, 252, 255), rgb(200, 210, 230), shade);
                img.blend(x, y, c, clamp01(y - ridge + 1));
            }
        }
    };
    range({{40, 52}, {120, 30}, {200, 58}, {285, 40}}, 150, 0.9f, rgb(120, 134, 170), true, 3);
    range({{0, 110}, {90, 96}, {170, 118}, {260, 100}, {330, 112}}, 160, 0.55f, rgb(70, 100, 120), false, 4);
    // Lake with the reflection of the sky and the mountains.
    for (int y = 170; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int my = std::clamp(2 * 170 - y, 0, h - 1);
            float ripple = noise.value(x * 0.05f, y * 0.8f) * 0.25f;
            img.at(x, y) = mix(darken(img.at(x, my), 0.25f), rgb(40, 80, 120), 0.3f + ripple);
        }
    // Green shore and pine trees.
    for (int x = 0; x < w; ++x) {
        float shore = 206 + 10 * noise.fbm(x * 0.03f, 3, 3) - (x < 130 ? (130 - x) * 0.3f : 0);
        for (int y = std::max(0, int(shore)); y < h; ++y) {
            float g = 0.6f * noise.fbm(x * 0.04f, y * 0.06f, 4) + 0.4f * noise.value(x * 0.7f, y * 0.35f);
            img.blend(x, y, mix(rgb(110, 170, 70), rgb(40, 96, 34), g), clamp01(y - shore + 1));
        }
    }
    Random rnd(8);
    for (int i = 0; i < 14; ++i) {
        float tx = rnd.range(4, 110), ty = rnd.range(196, 236), th = rnd.range(30, 52);
        fill_region(img, {int(tx - th), int(ty - th), int(tx + th), int(ty + 2)}, [=](float x, float y) {
            float t = (ty - y) / th;
            return t >= 0 && t <= 1 && std::fabs(x - tx) < (1 - t) * th * 0.3f * (0.8f + 0.2f * std::sin(t * 40));
        }, solid(rgb(20, 70 + int(rnd.range(0, 30)), 40)));
    }
    return img;
}

Image make_sunset() {
    const int w = 320, h = 240;
    Image img(w, h);
    Noise noise(0x5E7);
    const float horizon = 150;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Color c;
            if (y < horizon) {
                float t = y / horizon;
                c = t < 0.5f ? mix(rgb(60, 30, 110), rgb(230, 90, 80), t * 2) : mix(rgb(230, 90, 80), rgb(255, 190, 90), (t - 0.5f) * 2);
                float band = clamp01((noise.fbm(x * 0.01f, y * 0.12f, 4) - 0.5f) * 3);
                c = mix(c, rgb(120, 40, 70), band * 0.7f * (1 - t));
            } else {
                float t = (y - horizon) / (h - horizon);
                c = mix(rgb(200, 100, 80), rgb(30, 20, 60), t);
            }
            img.at(x, y) = c;
        }
    fill_shape(img, around(190, horizon, 40, 40), circle(190, horizon, 36), vgradient(horizon - 36, rgb(255, 250, 200), horizon, rgb(255, 160, 60)));
    fill_rect(img, Rect{0, int(horizon), w, h}, rgb(0, 0, 0));
    for (int y = int(horizon); y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float t = (y - horizon) / (h - horizon);
            Color c = mix(rgb(180, 80, 70), rgb(24, 16, 50), t);
            float glitter = noise.value(x * 0.08f, y * 1.2f);
            float path = std::exp(-std::pow((x - 190) / (30 + 40 * t), 2.0f));
            img.at(x, y) = mix(c, rgb(255, 200, 110), clamp01(path * (glitter - 0.35f) * 2.2f));
        }
    // A dark island with a palm on the left.
    fill_shape(img, {0, 120, 120, 160}, ellipse(40, horizon + 2, 70, 14), solid(rgb(30, 14, 30)));
    for (int i = 0; i < 30; ++i) {
        float t = i / 29.0f;
        disc(img, 50 + 14 * t * t, horizon - 8 - 70 * t, 3.2f - t, solid(rgb(30, 14, 30)));
    }
    for (int k = 0; k < 6; ++k) {
        float a = -PI * (0.1f + k * 0.16f);
        for (int i = 0; i < 20; ++i) {
            float t = i / 19.0f;
            float x = 64 + std::cos(a) * 40 * t, y = horizon - 78 + std::sin(a) * 18 * t + 14 * t * t;
            disc(img, x, y, 3.5f * (1 - t) + 0.6f, solid(rgb(30, 14, 30)));
        }
    }
    return img;
}

Image make_flower() {
    const int n = 256;
    Image img(n, n);
    Noise noise(0xF10);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            img.at(x, y) = mix(rgb(40, 110, 50), rgb(150, 200, 110), noise.fbm(x * 0.012f, y * 0.012f, 3));
    // Stem and leaf.
    line(img, 128, 140, 120, 256, 8, rgb(40, 120, 40));
    fill_shape(img, {120, 180, 230, 240}, [](float x, float y) {
        float dx = x - 165, dy = y - 212;
        float rx = dx * 0.87f + dy * 0.5f, ry = -dx * 0.5f + dy * 0.87f;
        return sd_ellipse(rx, ry, 0, 0, 40, 13);
    }, vgradient(195, rgb(90, 180, 70), 230, rgb(30, 100, 30)));
    // Petals: two rings of soft pink petals.
    for (int ring = 0; ring < 2; ++ring) {
        const int count = 8;
        const float len = ring ? 58 : 76, wid = ring ? 20 : 26, off = ring ? PI / count : 0;
        for (int k = 0; k < count; ++k) {
            float a = off + k * 2 * PI / count;
            float pcx = 128 + std::cos(a) * len * 0.55f, pcy = 110 + std::sin(a) * len * 0.55f;
            Distance petal = [=](float x, float y) {
                float dx = x - pcx, dy = y - pcy;
                float u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
                return sd_ellipse(u, v, 0, 0, len * 0.5f, wid);
            };
            Shader pink = [=](float x, float y) {
                float r = std::hypot(x - 128, y - 110) / len;
                return mix(rgb(200, 40, 110), ring ? rgb(255, 190, 220) : rgb(250, 150, 200), clamp01(r));
            };
            shadow(img, {0, 0, n, n}, petal, 2, 3, 4, 0.2f);
            fill_shape(img, {0, 0, n, n}, petal, pink);
            stroke_shape(img, {0, 0, n, n}, petal, 1, rgb(170, 30, 90), 0.4f);
        }
    }
    disc(img, 128, 110, 20, ball(128, 110, 20, rgb(250, 200, 30)));
    Random rnd(3);
    for (int i = 0; i < 40; ++i) {
        float a = rnd.range(0, 2 * PI), r = std::sqrt(rnd.uniform()) * 16;
        disc(img, 128 + std::cos(a) * r, 110 + std::sin(a) * r, 1.4f, solid(rgb(150, 90, 10)), 0.8f);
    }
    return img;
}

}  // namespace art
