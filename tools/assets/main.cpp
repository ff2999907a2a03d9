// Makes every resource the game compiles in, its picture folder and the
// resource script. Run by the build; the same bytes come out on every run.
//
//   tessary_assets <output folder> <DejaVu font folder> [--preview <file.bmp>]
//
// Output: the bitmaps, icons and waves with tessary.rc beside them, the art
// drawn for the larger display scales as PNG files, and the picture folder's
// files under pictures/ (JPEG and GIF samples are made from the .bmp sources
// in pictures-src/ by the build).
#include <lodepng.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "art.h"
#include "graphics/scaled_art.h"
#include "ids/display_scale.h"
#include "layout.h"
#include "sounds.h"

namespace {

std::string wave_file(const SoundShape& s) { return "wave_" + std::to_string(int(s.id)) + ".wav"; }

bool write_png(const std::string& path, const art::Image& img) {
    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<size_t>(img.width()) * img.height() * 3);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const art::Color& c = img.at(x, y);
            for (float v : {c.r, c.g, c.b}) pixels.push_back(static_cast<unsigned char>(std::clamp(v + 0.5f, 0.0f, 255.0f)));
        }
    return lodepng::encode(path, pixels, img.width(), img.height(), LCT_RGB, 8) == 0;
}

void need(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("cannot write " + what);
}

// "skin.png" drawn for 192 DPI is "skin_192.png".
std::string scaled_file(const std::string& file, int dpi) {
    return file.substr(0, file.rfind('.')) + "_" + std::to_string(dpi) + ".png";
}

// A PNG file of 8-bit RGB pixels (rows from the top), deflated over zlib's
// whole window: the form the program carries its art in, which it reads a row
// at a time (graphics/png_rows.h). The skin, rebuilt at every start, has its
// rows stored with the filter "None", which costs nothing to undo.
std::vector<uint8_t> png_of(const std::vector<uint8_t>& rgb, int width, int height, bool unfiltered = false) {
    lodepng::State state;
    state.info_raw.colortype = LCT_RGB;
    state.info_raw.bitdepth = 8;
    state.info_png.color.colortype = LCT_RGB;
    state.info_png.color.bitdepth = 8;
    state.encoder.auto_convert = 0;
    state.encoder.zlibsettings.windowsize = 32768;
    if (unfiltered) state.encoder.filter_strategy = LFS_ZERO;
    std::vector<uint8_t> png;
    if (lodepng::encode(png, rgb, static_cast<unsigned>(width), static_cast<unsigned>(height), state) != 0)
        throw std::runtime_error("cannot encode a PNG");
    return png;
}

// What the program adds to its enlargement of the 100 % skin to show the skin
// drawn for a larger scale at dpi: the difference where it exceeds the
// tolerance, and all of it under and around the controls, which stand on
// their fields and plates exactly as at 100 %.
std::vector<uint8_t> skin_correction(const art::Image& base, const art::Image& drawn, int dpi) {
    std::vector<uint8_t> from = art::rgb_bytes(base);
    const std::vector<uint8_t> want = art::rgb_bytes(drawn);
    const int w = drawn.width(), h = drawn.height();
    std::vector<uint8_t> enlarged(want.size()), correction(want.size(), 0);
    enlarge({from.data(), base.width(), base.height(), static_cast<size_t>(base.width()) * 3},
            {enlarged.data(), w, h, static_cast<size_t>(w) * 3});
    std::vector<int> tolerance(static_cast<size_t>(w) * h, resources::SKIN_CORRECTION_TOLERANCE);
    using namespace layout;
    for (const Box& b : {NEW_GAME, LOAD_PIC, CANCEL, HELP, MINIMIZE, CLOSE, SOUND, CHECKBOX, PREVIEW_LOADED, TIME,
                         MOVES, RESULT, BEST_TIME, LEAST_MOVES}) {
        const ScaledRect r = scaled_rect(b.x, b.y, b.w, b.h, dpi);
        for (int y = std::max(r.y - 1, 0); y < std::min(r.y + r.height + 1, h); ++y)
            for (int x = std::max(r.x - 1, 0); x < std::min(r.x + r.width + 1, w); ++x)
                tolerance[static_cast<size_t>(y) * w + x] = 0;
    }
    for (size_t p = 0; p < tolerance.size(); ++p) {
        const size_t i = p * 3;
        int off = 0;
        for (size_t c = 0; c < 3; ++c) off = std::max(off, std::abs(int(want[i + c]) - int(enlarged[i + c])));
        if (off > tolerance[p])
            for (size_t c = 0; c < 3; ++c) correction[i + c] = static_cast<uint8_t>(want[i + c] - enlarged[i + c]);
    }
    return correction;
}

std::string resource_script() {
    std::string rc =
        "// The game's resources: skin and button faces, icons and sounds, and\n"
        "// the art drawn for the larger display scales.\n"
        "// Made by tools/assets; the files named here sit beside this script.\n\n";
    for (const auto& b : resources::BITMAP_RESOURCES)
        rc += std::to_string(b.id) + (b.id == SKIN_BITMAP ? " RCDATA \"" : " BITMAP \"") + b.file + "\"\n";
    rc += "\n";
    for (int scale = 1; scale < ART_SCALE_COUNT; ++scale) {
        for (const auto& b : resources::BITMAP_RESOURCES)
            rc += std::to_string(scaled_art_id(b.id, scale)) + " RCDATA \"" + scaled_file(b.file, ART_DPIS[scale]) + "\"\n";
        rc += std::to_string(scaled_art_id(NUMBER_PICTURE_ART, scale)) + " RCDATA \"" +
              scaled_file(resources::NUMBER_PICTURE_FILE, ART_DPIS[scale]) + "\"\n";
    }
    rc += std::to_string(NUMBER_PICTURE_ART) + " RCDATA \"" + resources::NUMBER_PICTURE_FINGERPRINT_FILE + "\"\n\n";
    for (const auto& i : resources::ICON_RESOURCES) rc += std::to_string(i.id) + " ICON \"" + i.file + "\"\n";
    rc += "\n";
    for (const auto& s : SOUND_TABLE) rc += std::to_string(int(s.id)) + " WAVE \"" + wave_file(s) + "\"\n";
    return rc;
}

// The skin with every face, tile and text box where the running game puts them,
// for looking at the artwork without Windows.
art::Image composite(const art::Fonts& fonts, const art::Image& numbers) {
    using namespace layout;
    art::Image img = art::make_skin(fonts, BASE_DPI);
    auto put = [&](int face, const Box& b) { img.paste(art::resize(art::make_face(face, fonts, BASE_DPI), b.w, b.h), b.x, b.y); };
    put(FACE_NEW_GAME, NEW_GAME);
    put(FACE_LOAD_PIC, LOAD_PIC);
    put(FACE_CANCEL_PRESSED, CANCEL);
    put(FACE_HELP, HELP);
    put(FACE_MINIMIZE, MINIMIZE);
    put(FACE_CLOSE, CLOSE);
    put(FACE_SOUND_ON, SOUND);
    put(FACE_CHECKBOX_CHECKED, CHECKBOX);
    for (int t = 1; t <= 15; ++t) {
        art::Image cell(TILE_SIZE, TILE_SIZE);
        for (int y = 0; y < TILE_SIZE; ++y)
            for (int x = 0; x < TILE_SIZE; ++x) cell.at(x, y) = numbers.at((t - 1) % 4 * 80 + x, (t - 1) / 4 * 80 + y);
        img.paste(cell, BOARD_X + (t - 1) % 4 * CELL_PITCH, BOARD_Y + (t - 1) / 4 * CELL_PITCH);
    }
    img.paste(art::resize(numbers, PREVIEW_LOADED.w, PREVIEW_LOADED.h), PREVIEW_LOADED.x, PREVIEW_LOADED.y);
    // Static texts are drawn by the program on light grey.
    struct Text { Box box; const char* text; bool centred; };
    for (const Text& t : {Text{TIME, "12:07", false}, Text{MOVES, "154", false}, Text{RESULT, "Solved", true},
                          Text{BEST_TIME, "1:45", true}, Text{LEAST_MOVES, "96", true}}) {
        art::fill_rect(img, {t.box.x, t.box.y, t.box.right(), t.box.bottom()}, art::rgb(192, 192, 192));
        float x = t.centred ? t.box.x + (t.box.w - fonts.sans.measure(t.text, 11)) / 2 : t.box.x;
        fonts.sans.draw(img, x, t.box.y + 12, t.text, 11, art::rgb(0, 0, 0));
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <output folder> <font folder> [--preview <file.bmp>]\n", argv[0]);
        return 2;
    }
    try {
        const std::string out = argv[1];
        const art::Fonts fonts(argv[2]);
        std::filesystem::create_directories(out + "/pictures");
        std::filesystem::create_directories(out + "/pictures-src");

        auto draw = [&fonts](int id, int dpi) {
            return id == SKIN_BITMAP ? art::make_skin(fonts, dpi) : art::make_face(id, fonts, dpi);
        };
        for (const auto& b : resources::BITMAP_RESOURCES) {
            const art::Image img = draw(b.id, BASE_DPI);
            if (img.width() != b.width || img.height() != b.height)
                throw std::runtime_error(std::string("wrong size drawn for ") + b.file);
            need(art::write_file(out + "/" + b.file, b.id == SKIN_BITMAP ? png_of(art::rgb_bytes(img), b.width, b.height, true)
                                                                          : art::encode_bmp24(img)),
                 b.file);
            for (int scale = 1; scale < ART_SCALE_COUNT; ++scale) {
                const int dpi = ART_DPIS[scale];
                const art::Image big = draw(b.id, dpi);
                const std::string file = scaled_file(b.file, dpi);
                if (big.width() != scaled(b.width, dpi) || big.height() != scaled(b.height, dpi))
                    throw std::runtime_error("wrong size drawn for " + file);
                const std::vector<uint8_t> pixels = b.id == SKIN_BITMAP ? skin_correction(img, big, dpi) : art::rgb_bytes(big);
                need(art::write_file(out + "/" + file, png_of(pixels, big.width(), big.height(), b.id == SKIN_BITMAP)), file);
            }
        }
        const art::Image icon = art::make_icon(resources::ICON_SIZE);
        std::vector<art::Image> small_icons;
        for (int scale = 1; scale < ART_SCALE_COUNT; ++scale)
            small_icons.push_back(art::make_icon(scaled(resources::SMALL_ICON_SIZE, ART_DPIS[scale])));
        for (const auto& i : resources::ICON_RESOURCES)
            need(art::write_file(out + "/" + i.file, i.id == ICON_GROUP_SCALED ? art::encode_ico24(small_icons)
                                                                                : art::encode_ico24(icon)),
                 i.file);
        for (const auto& s : SOUND_TABLE) need(art::write_file(out + "/" + wave_file(s), sounds::make_wave(s)), wave_file(s));
        {
            std::ofstream rc(out + "/tessary.rc", std::ios::binary);
            rc << resource_script();
            need(static_cast<bool>(rc), "tessary.rc");
        }

        const art::Image numbers = art::make_number_picture(fonts, BASE_DPI);
        const std::string pics = out + "/pictures/";
        const std::vector<uint8_t> numbers_bmp = art::encode_bmp24(numbers);
        need(art::write_file(pics + "PuzNumbs.bmp", numbers_bmp), "PuzNumbs.bmp");
        {
            std::vector<uint8_t> mark;
            for (uint64_t f = fingerprint(numbers_bmp.data(), numbers_bmp.size()), i = 0; i < 8; ++i, f >>= 8)
                mark.push_back(static_cast<uint8_t>(f & 0xFF));
            need(art::write_file(out + "/" + resources::NUMBER_PICTURE_FINGERPRINT_FILE, mark), "fingerprint");
        }
        for (int scale = 1; scale < ART_SCALE_COUNT; ++scale) {
            const art::Image big = art::make_number_picture(fonts, ART_DPIS[scale]);
            const std::string file = scaled_file(resources::NUMBER_PICTURE_FILE, ART_DPIS[scale]);
            need(art::write_file(out + "/" + file, png_of(art::rgb_bytes(big), big.width(), big.height())), file);
        }
        need(art::write_file(pics + "clown.bmp", art::encode_bmp24(art::make_clown())), "clown.bmp");
        need(art::write_file(pics + "xmasbells.bmp", art::encode_bmp24(art::make_bells())), "xmasbells.bmp");
        need(art::write_file(pics + "santa.bmp", art::encode_bmp24(art::make_santa())), "santa.bmp");
        need(write_png(pics + "landscape.png", art::make_landscape()), "landscape.png");
        const std::string src = out + "/pictures-src/";
        need(art::write_file(src + "sunset.bmp", art::encode_bmp24(art::make_sunset())), "sunset.bmp");
        need(art::write_file(src + "flower.bmp", art::encode_bmp24(art::make_flower())), "flower.bmp");

        for (int i = 3; i + 1 < argc; ++i)
            if (std::string(argv[i]) == "--preview")
                need(art::write_file(argv[i + 1], art::encode_bmp24(composite(fonts, numbers))), argv[i + 1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tessary_assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
