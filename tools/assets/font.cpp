// FreeType text rendering for the artwork; see font.h.
#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

namespace art {

struct Font::Impl {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;

    void set_size(float size) const {
        FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72);
    }
};

Font::Font(const std::string& path) : impl_(new Impl) {
    if (FT_Init_FreeType(&impl_->lib)) throw std::runtime_error("FreeType failed to start");
    if (FT_New_Face(impl_->lib, path.c_str(), 0, &impl_->face)) {
        FT_Done_FreeType(impl_->lib);
        throw std::runtime_error("cannot load font " + path);
    }
}

Font::~Font() {
    FT_Done_Face(impl_->face);
    FT_Done_FreeType(impl_->lib);
}

float Font::measure(const std::string& text, float size) const {
    impl_->set_size(size);
    FT_Face f = impl_->face;
    long pen = 0;
    FT_UInt prev = 0;
    for (unsigned char ch : text) {
        FT_UInt gi = FT_Get_Char_Index(f, ch);
        if (prev && gi && FT_HAS_KERNING(f)) {
            FT_Vector k;
            FT_Get_Kerning(f, prev, gi, FT_KERNING_DEFAULT, &k);
            pen += k.x;
        }
        if (FT_Load_Glyph(f, gi, FT_LOAD_TARGET_LIGHT)) continue;
        pen += f->glyph->advance.x;
        prev = gi;
    }
    return pen / 64.0f;
}

float Font::cap_height(float size) const {
    impl_->set_size(size);
    FT_Face f = impl_->face;
    if (FT_Load_Char(f, 'H', FT_LOAD_TARGET_LIGHT)) return size * 0.72f;
    return f->glyph->metrics.horiBearingY / 64.0f;
}

float Font::draw(Image& img, float x, float y, const std::string& text, float size, Color c,
                 float opacity) const {
    // Rendered at the image's own pixel size, hinted for it.
    const float z = img.zoom();
    impl_->set_size(size * z);
    FT_Face f = impl_->face;
    float pen = x * z;
    FT_UInt prev = 0;
    const int base = static_cast<int>(std::lround(y * z));
    for (unsigned char ch : text) {
        FT_UInt gi = FT_Get_Char_Index(f, ch);
        if (prev && gi && FT_HAS_KERNING(f)) {
            FT_Vector k;
            FT_Get_Kerning(f, prev, gi, FT_KERNING_DEFAULT, &k);
            pen += k.x / 64.0f;
        }
        if (FT_Load_Glyph(f, gi, FT_LOAD_TARGET_LIGHT) ||
            FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL))
            continue;
        const FT_Bitmap& bm = f->glyph->bitmap;
        const int gx = static_cast<int>(std::lround(pen)) + f->glyph->bitmap_left;
        const int gy = base - f->glyph->bitmap_top;
        for (unsigned r = 0; r < bm.rows; ++r)
            for (unsigned col = 0; col < bm.width; ++col) {
                unsigned char v = bm.buffer[r * bm.pitch + col];
                if (v) img.blend(gx + static_cast<int>(col), gy + static_cast<int>(r), c, v / 255.0f * opacity);
            }
        pen += f->glyph->advance.x / 64.0f;
        prev = gi;
    }
    return pen / z;
}

void Font::draw_centred(Image& img, float cx, float cy, const std::string& text, float size, Color c,
                        float opacity) const {
    float w = measure(text, size);
    float cap = cap_height(size);
    draw(img, std::round(cx - w / 2), std::round(cy + cap / 2), text, size, c, opacity);
}

Fonts::Fonts(const std::string& folder)
    : sans(folder + "/DejaVuSans.ttf"),
      bold(folder + "/DejaVuSans-Bold.ttf"),
      condensed(folder + "/DejaVuSansCondensed.ttf"),
      condensed_bold(folder + "/DejaVuSansCondensed-Bold.ttf"),
      serif_bold(folder + "/DejaVuSerif-Bold.ttf") {}

}  // namespace art
