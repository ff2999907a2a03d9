// Makes every resource the game compiles in, its picture folder and the
// resource script. Run by the build; the same bytes come out on every run.
//
//   tessary_assets <output folder> <DejaVu font folder> [--preview <file.bmp>]
//
// Output: the bitmaps, icons and waves with tessary.rc beside them, and the
// picture folder's files under pictures/ (JPEG and GIF samples are made from
// the .bmp sources in pictures-src/ by the build).
#include <lodepng.h>

#include <cstdio>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "art.h"
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

std::string resource_script() {
    std::string rc =
        "// The game's resources: skin and button faces, icons and sounds.\n"
        "// Made by tools/assets; the files named here sit beside this script.\n\n";
    for (const auto& b : resources::BITMAP_RESOURCES)
        rc += std::to_string(b.id) + " BITMAP \"" + b.file + "\"\n";
    rc += "\n";
    for (const auto& i : resources::ICON_RESOURCES) rc += std::to_string(i.id) + " ICON \"" + i.file + "\"\n";
    rc += "\n";
    for (const auto& s : SOUND_TABLE) rc += std::to_string(int(s.id)) + " WAVE \"" + wave_file(s) + "\"\n";
    return rc;
}

// The skin with every face, tile and text box where the running game puts them,
// for looking at the artwork without Windows.
art::Image composite(const art::Fonts& fonts, const art::Image& numbers) {
    using namespace layout;
    art::Image img = art::make_skin(fonts);
    auto put = [&](int face, const Box& b) { img.paste(art::resize(art::make_face(face, fonts), b.w, b.h), b.x, b.y); };
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

        for (const auto& b : resources::BITMAP_RESOURCES) {
            art::Image img = b.id == SKIN_BITMAP ? art::make_skin(fonts) : art::make_face(b.id, fonts);
            if (img.width() != b.width || img.height() != b.height)
                throw std::runtime_error(std::string("wrong size drawn for ") + b.file);
            need(art::write_file(out + "/" + b.file, art::encode_bmp24(img)), b.file);
        }
        const art::Image icon = art::make_icon();
        for (const auto& i : resources::ICON_RESOURCES)
            need(art::write_file(out + "/" + i.file, art::encode_ico24(icon)), i.file);
        for (const auto& s : SOUND_TABLE) need(art::write_file(out + "/" + wave_file(s), sounds::make_wave(s)), wave_file(s));
        {
            std::ofstream rc(out + "/tessary.rc", std::ios::binary);
            rc << resource_script();
            need(static_cast<bool>(rc), "tessary.rc");
        }

        const art::Image numbers = art::make_number_picture(fonts);
        const std::string pics = out + "/pictures/";
        need(art::write_file(pics + "PuzNumbs.bmp", art::encode_bmp24(numbers)), "PuzNumbs.bmp");
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
