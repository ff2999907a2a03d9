// The window skin, the button faces and the icon.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "art.h"
#include "ids/display_scale.h"
#include "layout.h"

namespace art {

namespace {

using layout::Box;

// The palette of the skin.
const Color COPPER_LIGHT = rgb(226, 154, 96);
const Color COPPER = rgb(186, 108, 52);
const Color COPPER_DARK = rgb(128, 64, 26);
const Color COPPER_DEEP = rgb(88, 40, 14);
const Color PLATE = rgb(204, 202, 198);      // the ground under the big buttons and round corners
const Color SPEAKER_GREY = rgb(196, 196, 200);
const Color CREAM_TOP = rgb(250, 244, 230);
const Color CREAM_BOTTOM = rgb(232, 220, 196);
const Color BEIGE = rgb(236, 222, 186);
const Color WHITE = rgb(255, 255, 255);
const Color INK = rgb(92, 42, 14);            // label text
const Color TITLE_STRIP_TOP = rgb(206, 128, 66);
const Color TITLE_STRIP_BOTTOM = rgb(120, 58, 22);
const int TITLE_STRIP_HEIGHT = 28;           // rows 0..27; the preview starts at row 28

Rect rect_of(const Box& b, int grow = 0) {
    return {b.x - grow, b.y - grow, b.right() + grow, b.bottom() + grow};
}

// The pixels of a control on the skin, as the program places it.
Rect control_pixels(const Image& img, const Box& b) {
    const ScaledRect r = scaled_rect(b.x, b.y, b.w, b.h, static_cast<int>(std::lround(img.zoom() * BASE_DPI)));
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

// A control's rectangle in units, its edges on the control's pixels at any zoom.
struct Edges {
    float x0, y0, x1, y1;
};
Edges snapped(const Image& img, const Box& b) {
    const Rect r = control_pixels(img, b);
    const float z = img.zoom();
    return {r.x0 / z, r.y0 / z, r.x1 / z, r.y1 / z};
}

Distance box_shape(const Image& img, const Box& b, float grow, float radius) {
    const Edges e = snapped(img, b);
    return round_rect(e.x0 - grow, e.y0 - grow, e.x1 + grow, e.y1 + grow, radius);
}


Color title_strip_color(float y) {
    float t = std::clamp(y / (TITLE_STRIP_HEIGHT - 1), 0.0f, 1.0f);
    Color c = mix(TITLE_STRIP_TOP, TITLE_STRIP_BOTTOM, t);
    if (y < 1) c = lighten(c, 0.3f);
    return c;
}

// The textures (marble, brushed copper, wood, the title strip's grain) are
// drawn per pixel of the 100 % skin and enlarged for larger scales (see
// enlarged): their grain is the game's own at every scale, and the larger
// skins differ from the program's enlargement of the 100 % one only where
// something is drawn for the scale.

// Light grey marble: soft clouds with thin darker veins.
void marble(Image& img, const Noise& noise) {
    const float z = img.zoom();
    const auto at = [&noise](int x, int y) {
        float m = noise.fbm(x * 0.012f, y * 0.012f, 5);
        float v = std::sin(x * 0.018f + y * 0.011f + m * 10.0f);
        float vein = std::pow(1 - std::fabs(v), 10.0f);
        float cloud = noise.fbm(x * 0.05f + 40, y * 0.05f + 40, 3);
        Color c = mix(rgb(208, 208, 212), rgb(234, 234, 236), cloud);
        return mix(c, rgb(160, 158, 166), vein * 0.45f);
    };
    for (int py = 0; py < img.height(); ++py)
        for (int px = 0; px < img.width(); ++px) img.at(px, py) = enlarged(at, (px + 0.5f) / z, (py + 0.5f) / z);
}

// Brushed copper: a vertical gradient with fine horizontal streaks.
Shader brushed(const Noise& noise, float y0, Color top, float y1, Color bottom) {
    return [&noise, y0, top, y1, bottom](float x, float y) {
        Color c = mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f));
        // The streaks of the 100 % pixel centres.
        const auto streak = [&noise](int px, int py) { return noise.value((px + 0.5f) * 0.04f, (py + 0.5f) * 2.5f); };
        float s = enlarged(streak, x, y) - 0.5f;
        return scale(c, 1 + s * 0.12f);
    };
}

// Dark wood with long horizontal grain.
Color wood(const Noise& noise, float x, float y) {
    float n = noise.fbm(x * 0.006f, y * 0.03f, 4);
    float rings = 0.5f + 0.5f * std::sin(y * 0.32f + n * 9.0f);
    float fibre = noise.value(x * 0.15f, y * 4.0f);
    float knot = noise.fbm(x * 0.02f + 9, y * 0.02f + 9, 3);
    Color c = mix(rgb(64, 36, 19), rgb(104, 62, 32), std::pow(rings, 3.0f) * 0.8f + knot * 0.25f);
    return scale(c, 0.88f + fibre * 0.22f);
}

// A cream panel with a copper rim, the frame of each label.
void label_box(Image& img, const Noise& noise, int x0, int y0, int x1, int y1) {
    Distance d = round_rect(x0, y0, x1, y1, 6);
    Rect r{x0 - 6, y0 - 6, x1 + 6, y1 + 6};
    shadow(img, r, d, 1.5f, 2, 2.5f, 0.35f);
    fill_shape(img, r, d, brushed(noise, y0, COPPER_LIGHT, y1, COPPER_DARK));
    Distance inner = round_rect(x0 + 3, y0 + 3, x1 - 3, y1 - 3, 4);
    fill_shape(img, r, inner, vgradient(y0, CREAM_TOP, y1, CREAM_BOTTOM));
    bevel(img, r, d, 3, 0.5f);
    bevel(img, r, inner, 2, -0.35f);
    stroke_shape(img, r, d, 1, COPPER_DEEP, 0.6f);
}

// A sunken field whose inside is exactly the control's rectangle.
void field(Image& img, const Box& b, Color fill, float radius_outside) {
    Distance outer = box_shape(img, b, 2, radius_outside);
    Rect r = rect_of(b, 4);
    fill_shape(img, r, outer, solid(darken(fill, 0.3f)));
    bevel(img, r, outer, 2, -0.8f);
    fill_pixels(img, control_pixels(img, b), fill);
}

// An oval field around a control: the control's rectangle sits inside the oval.
void oval_field(Image& img, const Box& b) {
    float cx = b.x + b.w / 2.0f, cy = b.y + b.h / 2.0f;
    float hw = b.w / 2.0f + 9, hh = b.h / 2.0f + 3;
    Distance d = [=](float x, float y) { return sd_box(x, y, cx, cy, hw, hh, hh); };
    Rect r{int(cx - hw) - 4, int(cy - hh) - 4, int(cx + hw) + 5, int(cy + hh) + 5};
    fill_shape(img, r, d, vgradient(cy - hh, darken(BEIGE, 0.08f), cy + hh, lighten(BEIGE, 0.3f)));
    bevel(img, r, d, 3, -0.6f);
    stroke_shape(img, r, d, 1, COPPER_DARK, 0.8f);
}

// The flat ground that a big button, or the speaker, stands on.
void button_plate(Image& img, const Box& b, Color plate, float radius) {
    Distance d = box_shape(img, b, 3, radius);
    Rect r = rect_of(b, 6);
    fill_shape(img, r, d, solid(plate));
    bevel(img, r, d, 2, -0.6f);
    stroke_shape(img, r, d, 1, darken(plate, 0.45f), 0.7f);
    fill_pixels(img, control_pixels(img, b), plate);
}

enum class Symbol { Help, Minimise, Maximise, Close };

// A title-bar button: a copper square with a symbol, filling the whole w x h image.
Image title_button(int w, int h, Symbol symbol, bool pressed, const Fonts& fonts, int dpi) {
    Image img = canvas(w, h, dpi, COPPER);
    Rect all{0, 0, w, h};
    Distance sq = round_rect(0, 0, w, h, 2);
    Color top = pressed ? rgb(126, 62, 24) : rgb(238, 172, 112);
    Color bottom = pressed ? rgb(92, 42, 14) : rgb(190, 110, 52);
    img.fill(title_strip_color(14));
    fill_shape(img, all, sq, vgradient(0, top, h, bottom));
    bevel(img, all, round_rect(1, 1, w - 1, h - 1, 2), 2, pressed ? -0.6f : 0.65f);
    stroke_shape(img, all, round_rect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 2), 1, COPPER_DEEP, 0.9f);
    Color ink = pressed ? rgb(168, 160, 152) : WHITE;
    float off = pressed ? 1 : 0;
    float cx = w / 2.0f + off, cy = h / 2.0f + off;
    switch (symbol) {
        case Symbol::Help:
            fonts.bold.draw_centred(img, cx + 0.5f, cy + 0.5f, "?", h * 0.78f, darken(COPPER_DEEP, 0.2f), 0.5f);
            fonts.bold.draw_centred(img, cx, cy, "?", h * 0.78f, ink);
            break;
        case Symbol::Minimise:
            fill_shape(img, all, round_rect(cx - 5, h * 0.68f, cx + 5, h * 0.68f + 2.6f, 0.8f), solid(ink));
            break;
        case Symbol::Maximise:
            stroke_shape(img, all, round_rect(cx - 5, cy - 4.5f, cx + 5, cy + 4.5f, 0.5f), 1.2f, ink);
            fill_rect(img, Rect{int(cx - 5), int(cy - 4.5f), int(cx + 5), int(cy - 2.5f)}, ink);
            break;
        case Symbol::Close: {
            float r = std::min(w, h) * 0.22f;
            line(img, cx - r, cy - r, cx + r, cy + r, 2.2f, ink);
            line(img, cx - r, cy + r, cx + r, cy - r, 2.2f, ink);
            break;
        }
    }
    return img;
}

// A big rounded copper button with its caption.
Image big_button(const std::string& caption, bool pressed, const Fonts& fonts, int dpi) {
    const int w = 95, h = 40;
    Image img = canvas(w, h, dpi, PLATE);
    Rect all{0, 0, w, h};
    Distance outer = round_rect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 10);
    Distance body = round_rect(1.5f, 1.5f, w - 1.5f, h - 1.5f, 9);
    fill_shape(img, all, outer, solid(COPPER_DEEP));
    if (!pressed) {
        fill_shape(img, all, body, vgradient(2, rgb(222, 146, 84), h - 2, rgb(140, 70, 28)));
        // a glossy highlight over the upper half
        fill_shape(img, all, round_rect(5, 3, w - 5, h * 0.5f, 7), vgradient(3, WHITE, h * 0.5f, rgb(240, 200, 160)), 0.28f);
        bevel(img, all, body, 3, 0.55f);
        float cap = 12.5f;
        fonts.bold.draw_centred(img, w / 2.0f + 1, h / 2.0f + 1, caption, cap, COPPER_DEEP, 0.75f);
        fonts.bold.draw_centred(img, w / 2.0f, h / 2.0f, caption, cap, WHITE);
    } else {
        fill_shape(img, all, body, vgradient(2, rgb(104, 50, 18), h - 2, rgb(150, 80, 36)));
        bevel(img, all, body, 3, -0.6f);
        float cap = 12.5f;
        float cx = w / 2.0f + 1, cy = h / 2.0f + 1;
        fonts.bold.draw_centred(img, cx - 1, cy - 1, caption, cap, rgb(52, 22, 6), 0.9f);
        fonts.bold.draw_centred(img, cx + 1, cy + 1, caption, cap, rgb(214, 160, 120), 0.7f);
        fonts.bold.draw_centred(img, cx, cy, caption, cap, rgb(170, 164, 158));
    }
    return img;
}

Image check_box(bool ticked, int dpi) {
    Image img = canvas(12, 12, dpi, WHITE);
    Rect all{0, 0, 12, 12};
    fill_shape(img, all, round_rect(1, 1, 11, 11, 0), vgradient(1, rgb(226, 226, 230), 11, WHITE));
    stroke_shape(img, all, round_rect(0.5f, 0.5f, 11.5f, 11.5f, 0), 1, rgb(48, 40, 36));
    if (ticked) {
        line(img, 2.6f, 6.0f, 4.9f, 8.6f, 1.9f, rgb(0, 0, 0));
        line(img, 4.9f, 8.6f, 9.4f, 2.8f, 1.9f, rgb(0, 0, 0));
    }
    return img;
}

// A loudspeaker seen from the front: a dark rim, a cone and a dust cap.
Image speaker(bool crossed, int dpi) {
    const int n = 22;
    Image img = canvas(n, n, dpi, SPEAKER_GREY);
    Rect all{0, 0, n, n};
    float c = n / 2.0f;
    shadow(img, all, [&](float x, float y) { return sd_circle(x, y, c, c, 9.5f); }, 0.7f, 0.9f, 1.2f, 0.4f);
    fill_shape(img, all, [&](float x, float y) { return sd_circle(x, y, c, c, 9.5f); },
               vgradient(1, rgb(90, 90, 98), n - 1, rgb(20, 20, 24)));
    fill_shape(img, all, [&](float x, float y) { return sd_circle(x, y, c, c, 7.4f); },
               [&](float x, float y) {
                   float r = std::hypot(x - c, y - c) / 7.4f;
                   return mix(rgb(70, 70, 78), rgb(28, 28, 32), r);
               });
    stroke_shape(img, all, [&](float x, float y) { return sd_circle(x, y, c, c, 5.2f); }, 0.8f, rgb(96, 96, 106), 0.8f);
    fill_shape(img, all, [&](float x, float y) { return sd_circle(x, y, c, c, 2.8f); },
               vgradient(c - 3, rgb(150, 150, 160), c + 3, rgb(40, 40, 46)));
    fill_shape(img, all, [&](float x, float y) { return sd_circle(x, y, c - 0.9f, c - 1, 1.0f); }, solid(WHITE), 0.55f);
    if (crossed) {
        line(img, 3.5f, 3.5f, n - 3.5f, n - 3.5f, 3.4f, rgb(120, 0, 0));
        line(img, 3.5f, n - 3.5f, n - 3.5f, 3.5f, 3.4f, rgb(120, 0, 0));
        line(img, 3.5f, 3.5f, n - 3.5f, n - 3.5f, 2.3f, rgb(228, 30, 30));
        line(img, 3.5f, n - 3.5f, n - 3.5f, 3.5f, 2.3f, rgb(228, 30, 30));
    }
    return img;
}

// Lines broken at spaces so that each fits the width.
std::vector<std::string> wrap(const Font& font, const std::string& text, float size, float width) {
    std::vector<std::string> lines;
    std::string line, word;
    auto flush_word = [&] {
        std::string trial = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.measure(trial, size) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = trial;
        }
        word.clear();
    };
    for (char ch : text) {
        if (ch == ' ') flush_word();
        else word += ch;
    }
    if (!word.empty()) flush_word();
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

Image canvas(int w, int h, int dpi, Color fill) {
    return Image(scaled(w, dpi), scaled(h, dpi), fill, dpi / float(BASE_DPI));
}

void draw_board_emblem(Image& img, float x, float y, float size) {
    Rect r{int(x) - 2, int(y) - 2, int(x + size) + 3, int(y + size) + 3};
    Distance frame = round_rect(x, y, x + size, y + size, size * 0.12f);
    fill_shape(img, r, frame, vgradient(y, rgb(150, 80, 34), y + size, rgb(70, 32, 10)));
    stroke_shape(img, r, frame, std::max(0.8f, size / 48), rgb(50, 20, 4), 0.8f);
    const float inset = size * 0.09f;
    const float cell = (size - 2 * inset) / 4;
    const float gap = std::max(0.7f, size * 0.018f);
    for (int k = 0; k < 15; ++k) {
        float tx = x + inset + (k % 4) * cell + gap / 2, ty = y + inset + (k / 4) * cell + gap / 2;
        float s = cell - gap;
        Distance t = round_rect(tx, ty, tx + s, ty + s, s * 0.16f);
        Rect tr{int(tx) - 1, int(ty) - 1, int(tx + s) + 2, int(ty + s) + 2};
        bool warm = (k % 4 + k / 4) % 2 == 0;
        Color top = warm ? rgb(255, 242, 214) : rgb(246, 214, 160);
        Color bottom = warm ? rgb(222, 196, 150) : rgb(214, 164, 100);
        fill_shape(img, tr, t, vgradient(ty, top, ty + s, bottom));
        if (s >= 6) bevel(img, tr, t, std::max(1.0f, s * 0.14f), 0.45f);
    }
}

Image make_icon(int n) {
    const int factor = 4;
    Image big(n * factor, n * factor);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.alpha(x, y) = 0;
    Image drawn(n * factor, n * factor, rgb(0, 0, 0));
    draw_board_emblem(drawn, 2 * factor, 2 * factor, (n - 4) * factor);
    // Coverage of the emblem's outline becomes the alpha channel.
    Distance outline = round_rect(2 * factor, 2 * factor, (n - 2) * factor, (n - 2) * factor, (n - 4) * factor * 0.12f);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            float a = std::clamp(0.5f - outline(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
            big.at(x, y) = drawn.at(x, y);
            big.alpha(x, y) = a;
        }
    return downsample(big, factor);
}

Image make_face(int id, const Fonts& fonts, int dpi) {
    switch (id) {
        case FACE_NEW_GAME: return big_button("NEW GAME", false, fonts, dpi);
        case FACE_NEW_GAME_PRESSED: return big_button("NEW GAME", true, fonts, dpi);
        case FACE_LOAD_PIC: return big_button("LOAD PIC", false, fonts, dpi);
        case FACE_LOAD_PIC_PRESSED: return big_button("LOAD PIC", true, fonts, dpi);
        case FACE_CANCEL: return big_button("CANCEL", false, fonts, dpi);
        case FACE_CANCEL_PRESSED: return big_button("CANCEL", true, fonts, dpi);
        case FACE_HELP: return title_button(23, 20, Symbol::Help, false, fonts, dpi);
        case FACE_HELP_PRESSED: return title_button(23, 18, Symbol::Help, true, fonts, dpi);
        case FACE_MINIMIZE: return title_button(23, 20, Symbol::Minimise, false, fonts, dpi);
        case FACE_MINIMIZE_PRESSED: return title_button(23, 20, Symbol::Minimise, true, fonts, dpi);
        case FACE_CLOSE: return title_button(23, 20, Symbol::Close, false, fonts, dpi);
        case FACE_CLOSE_PRESSED: return title_button(23, 20, Symbol::Close, true, fonts, dpi);
        case FACE_CHECKBOX_EMPTY: return check_box(false, dpi);
        case FACE_CHECKBOX_CHECKED: return check_box(true, dpi);
        case FACE_SOUND_ON: return speaker(false, dpi);
        case FACE_SOUND_OFF: return speaker(true, dpi);
    }
    throw std::invalid_argument("no face bitmap " + std::to_string(id));
}

Image make_skin(const Fonts& fonts, int dpi) {
    using namespace layout;
    Image img = canvas(SKIN_WIDTH, SKIN_HEIGHT, dpi);
    const float z = img.zoom();
    Noise noise(0x7E55A4);
    marble(img, noise);
    const Rect all{0, 0, SKIN_WIDTH, SKIN_HEIGHT};

    // The window's rim.
    stroke_shape(img, all, round_rect(1, 1, SKIN_WIDTH - 1, SKIN_HEIGHT - 1, 0), 2, COPPER_DARK);
    stroke_shape(img, all, round_rect(0.5f, 0.5f, SKIN_WIDTH - 0.5f, SKIN_HEIGHT - 0.5f, 0), 1, COPPER_DEEP);

    // The title strip with the emblem, the title and the painted caption buttons.
    const auto strip = [&noise](int x, int y) {
        float s = noise.value(x * 0.05f, y * 2.5f) - 0.5f;
        return scale(title_strip_color(y), 1 + s * 0.08f);
    };
    for (int py = 0; py < img.px(TITLE_STRIP_HEIGHT); ++py)
        for (int px = 0; px < img.width(); ++px) img.at(px, py) = enlarged(strip, (px + 0.5f) / z, (py + 0.5f) / z);
    fill_rect(img, Rect{0, TITLE_STRIP_HEIGHT - 1, SKIN_WIDTH, TITLE_STRIP_HEIGHT}, COPPER_DEEP);
    draw_board_emblem(img, 7, 4, 19);
    fonts.bold.draw(img, 33, 20, "Tessary", 15, COPPER_DEEP, 0.8f);
    fonts.bold.draw(img, 32, 19, "Tessary", 15, WHITE);
    img.paste(title_button(MINIMIZE.w, MINIMIZE.h, Symbol::Minimise, false, fonts, dpi), img.px(MINIMIZE.x), img.px(MINIMIZE.y));
    img.paste(title_button(HELP.w, HELP.h, Symbol::Maximise, false, fonts, dpi), img.px(HELP.x), img.px(HELP.y));
    img.paste(title_button(CLOSE.w, CLOSE.h, Symbol::Close, false, fonts, dpi), img.px(CLOSE.x), img.px(CLOSE.y));

    // The board: a copper frame round a dark wooden square with grooves between the cells.
    const int wx0 = BOARD_X - 1, wy0 = BOARD_Y - 1;
    const int wx1 = BOARD_X + 3 * CELL_PITCH + TILE_SIZE + 1, wy1 = BOARD_Y + 3 * CELL_PITCH + TILE_SIZE + 1;
    const int rim = 10;
    Distance frame = round_rect(wx0 - rim, wy0 - rim, wx1 + rim, wy1 + rim, 7);
    Rect fr{wx0 - rim - 6, wy0 - rim - 6, wx1 + rim + 6, wy1 + rim + 6};
    shadow(img, fr, frame, 2, 3, 3, 0.45f);
    fill_shape(img, fr, frame, brushed(noise, wy0 - rim, COPPER_LIGHT, wy1 + rim, COPPER_DARK));
    bevel(img, fr, frame, 4, 0.6f);
    stroke_shape(img, fr, frame, 1, COPPER_DEEP, 0.7f);
    Distance well = round_rect(wx0 - 2, wy0 - 2, wx1 + 2, wy1 + 2, 2);
    fill_shape(img, fr, well, solid(COPPER_DEEP));
    for (int py = img.px(wy0); py < img.px(wy1); ++py)
        for (int px = img.px(wx0); px < img.px(wx1); ++px)
            img.at(px, py) = enlarged([&noise](int x, int y) { return wood(noise, x, y); }, (px + 0.5f) / z, (py + 0.5f) / z);
    for (int k = 0; k <= 4; ++k) {
        // Light groove lines on the one-pixel gaps; each cell also gets a soft inner shadow.
        int gx = BOARD_X - 1 + k * CELL_PITCH, gy = BOARD_Y - 1 + k * CELL_PITCH;
        const float light = k == 0 || k == 4 ? 0.35f : 0.75f;
        blend_rect(img, Rect{gx, wy0, gx + 1, wy1}, rgb(214, 170, 118), light);
        blend_rect(img, Rect{gx + 1, wy0, gx + 2, wy1}, rgb(20, 10, 4), 0.35f);
        blend_rect(img, Rect{wx0, gy, wx1, gy + 1}, rgb(214, 170, 118), light);
        blend_rect(img, Rect{wx0, gy + 1, wx1, gy + 2}, rgb(20, 10, 4), 0.35f);
    }

    // The column of labels between the board and the right panel.
    const int cx0 = 378, cx1 = 523, ccx = (cx0 + cx1) / 2;
    const Font& label = fonts.condensed_bold;
    label_box(img, noise, cx0, 42, cx1, 74);
    {
        float tw = label.measure("Disable 15/14", 12);
        label.draw(img, CHECKBOX.x - 7 - tw, CHECKBOX.y + 10, "Disable 15/14", 12, INK);
        stroke_shape(img, rect_of(CHECKBOX, 3), box_shape(img, CHECKBOX, 1, 1), 1, COPPER_DEEP, 0.35f);
        img.paste(check_box(false, dpi), img.px(CHECKBOX.x), img.px(CHECKBOX.y));
    }
    label_box(img, noise, cx0, 84, cx1, 147);
    label.draw_centred(img, ccx, 101, "TIME LAPSED:", 12, INK);
    field(img, TIME, WHITE, 2);
    label_box(img, noise, cx0, 151, cx1, 214);
    label.draw_centred(img, ccx, 168, "MOVES MADE:", 12, INK);
    field(img, MOVES, WHITE, 2);
    label_box(img, noise, cx0, 218, cx1, 281);
    label.draw_centred(img, ccx, 235, "GAME RESULT", 12, INK);
    field(img, RESULT, BEIGE, 2);
    button_plate(img, CANCEL, PLATE, 11);
    button_plate(img, LOAD_PIC, PLATE, 11);
    button_plate(img, NEW_GAME, PLATE, 11);

    // The right panel: the framed black preview, then the heading, the hints and the best record.
    {
        const Box& p = PREVIEW_LOADED;
        Rect pr{p.x - 4, TITLE_STRIP_HEIGHT - 1, SKIN_WIDTH, p.bottom() + 4};
        fill_rect(img, pr, COPPER_DARK);
        bevel(img, pr, round_rect(pr.x0, pr.y0 - 10, pr.x1, pr.y1, 2), 3, 0.5f);
        Rect inside = control_pixels(img, p);
        const int line = img.px(1);
        fill_pixels(img, Rect{inside.x0 - line, inside.y0 - line, inside.x1 + line, inside.y1 + line}, COPPER_DEEP);
        fill_pixels(img, inside, rgb(0, 0, 0));
    }
    const int px0 = 548, px1 = 738, pcx = (px0 + px1) / 2;
    label_box(img, noise, px0, 230, px1, 344);
    fonts.bold.draw_centred(img, pcx + 1, 247, "PUZZLE PREVIEW", 12.5f, rgb(255, 255, 255), 0.8f);
    fonts.bold.draw_centred(img, pcx, 246, "PUZZLE PREVIEW", 12.5f, INK);
    fill_rect(img, Rect{px0 + 14, 257, px1 - 14, 258}, COPPER_DARK);
    {
        const Font& f = fonts.condensed;
        float y = 275;
        for (const char* hint : {"To start, press the NEW GAME button.",
                                 "To play, slide the tiles until they match the picture shown above."}) {
            bool first = true;
            for (const std::string& l : wrap(f, hint, 11.5f, px1 - px0 - 34)) {
                if (first)
                    fill_shape(img, Rect{px0 + 8, int(y) - 10, px0 + 20, int(y) + 2},
                               [&](float x, float yy) { return sd_circle(x, yy, px0 + 14.5f, y - 4, 2.2f); }, solid(COPPER));
                f.draw(img, px0 + 22, y, l, 11.5f, rgb(60, 40, 28));
                y += 15;
                first = false;
            }
            y += 5;
        }
    }
    label_box(img, noise, px0, 352, px1, 412);
    label.draw(img, BEST_TIME.x - 16 - label.measure("Best Time:", 12), BEST_TIME.y + 12, "Best Time:", 12, INK);
    label.draw(img, LEAST_MOVES.x - 16 - label.measure("Least Moves:", 12), LEAST_MOVES.y + 12, "Least Moves:", 12, INK);
    oval_field(img, BEST_TIME);
    oval_field(img, LEAST_MOVES);
    for (const Box& b : {BEST_TIME, LEAST_MOVES}) {
        stroke_shape(img, rect_of(b, 2), box_shape(img, b, 0.5f, 0), 1, darken(BEIGE, 0.35f));
        fill_pixels(img, control_pixels(img, b), lighten(BEIGE, 0.4f));
    }
    button_plate(img, SOUND, SPEAKER_GREY, 8);
    fonts.sans.draw(img, px0 + 4, 436, "Version 1.0.2.4", 10.5f, rgb(250, 250, 250), 0.7f);
    fonts.sans.draw(img, px0 + 3, 435, "Version 1.0.2.4", 10.5f, rgb(96, 70, 52));
    return img;
}

}  // namespace art
