// Anti-aliased text for the artwork, rendered with FreeType from the DejaVu fonts.
#pragma once

#include <memory>
#include <string>

#include "raster.h"

namespace art {

class Font {
public:
    // Loads a TrueType file; throws std::runtime_error when it cannot.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Advance width of an ASCII text at the given size (in pixels at zoom 1).
    float measure(const std::string& text, float size) const;
    // Height of capital letters above the baseline.
    float cap_height(float size) const;
    // Draws text with its baseline at y, starting at x, all in the image's
    // units (see Image::zoom); returns the pen's end x.
    float draw(Image& img, float x, float y, const std::string& text, float size, Color c,
               float opacity = 1) const;
    // Draws text centred horizontally on cx, with capitals centred vertically on cy.
    void draw_centred(Image& img, float cx, float cy, const std::string& text, float size, Color c,
                      float opacity = 1) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The fonts of the artwork, loaded once from the folder given to the generator.
struct Fonts {
    explicit Fonts(const std::string& folder);
    Font sans;
    Font bold;
    Font condensed;
    Font condensed_bold;
    Font serif_bold;
};

}  // namespace art
