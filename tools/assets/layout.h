// Where the main window's controls stand on the skin (client pixels), and the
// bitmap and icon resources the program compiles in. The skin is painted to
// fit these rectangles exactly.
#pragma once

#include "ids/resource_ids.h"

namespace layout {

struct Box {
    int x, y, w, h;
    int right() const { return x + w; }   // first pixel past the box
    int bottom() const { return y + h; }
};

constexpr int SKIN_WIDTH = 742;
constexpr int SKIN_HEIGHT = 451;

constexpr Box NEW_GAME{150, 393, 95, 40};
constexpr Box LOAD_PIC{402, 337, 95, 40};
constexpr Box CANCEL{402, 287, 95, 40};
constexpr Box HELP{690, 5, 23, 18};
constexpr Box MINIMIZE{664, 5, 24, 18};
constexpr Box CLOSE{715, 5, 23, 18};
constexpr Box SOUND{700, 414, 28, 28};
constexpr Box CHECKBOX{481, 52, 12, 12};
constexpr Box PREVIEW{548, 28, 190, 182};
constexpr Box PREVIEW_LOADED{548, 28, 192, 192};  // a static bitmap control takes its bitmap's size
constexpr Box TIME{436, 117, 48, 20};
constexpr Box MOVES{436, 184, 38, 20};
constexpr Box RESULT{410, 252, 80, 20};
constexpr Box BEST_TIME{676, 364, 36, 16};
constexpr Box LEAST_MOVES{676, 387, 36, 16};

constexpr int TILE_SIZE = 80;
constexpr int CELL_PITCH = 81;
constexpr int BOARD_X = 30;  // top-left pixel of cell 1
constexpr int BOARD_Y = 54;

}  // namespace layout

namespace resources {

struct BitmapResource {
    int id;
    int width, height;
    const char* file;
};

// Every bitmap compiled into the program: the skin (as PNG data) and the
// button faces, their sizes at 100 %. Each is also drawn for the larger
// scales, as "<name>_<dpi>.png".
inline constexpr BitmapResource BITMAP_RESOURCES[] = {
    {SKIN_BITMAP, 742, 451, "skin.png"},
    {FACE_NEW_GAME, 95, 40, "new_game.bmp"},
    {FACE_NEW_GAME_PRESSED, 95, 40, "new_game_pressed.bmp"},
    {FACE_LOAD_PIC, 95, 40, "load_pic.bmp"},
    {FACE_LOAD_PIC_PRESSED, 95, 40, "load_pic_pressed.bmp"},
    {FACE_HELP, 23, 20, "help.bmp"},
    {FACE_HELP_PRESSED, 23, 18, "help_pressed.bmp"},
    {FACE_MINIMIZE, 23, 20, "minimise.bmp"},
    {FACE_MINIMIZE_PRESSED, 23, 20, "minimise_pressed.bmp"},
    {FACE_CLOSE, 23, 20, "close.bmp"},
    {FACE_CLOSE_PRESSED, 23, 20, "close_pressed.bmp"},
    {FACE_CANCEL, 95, 40, "cancel.bmp"},
    {FACE_CANCEL_PRESSED, 95, 40, "cancel_pressed.bmp"},
    {FACE_CHECKBOX_EMPTY, 12, 12, "check_empty.bmp"},
    {FACE_CHECKBOX_CHECKED, 12, 12, "check_ticked.bmp"},
    {FACE_SOUND_ON, 22, 22, "sound_on.bmp"},
    {FACE_SOUND_OFF, 22, 22, "sound_off.bmp"},
};

struct IconResource {
    int id;
    const char* file;
};

// Two icon groups of one 48 x 48 image; group 16 becomes the small class
// icon. Group 24 holds the small icon drawn for each larger scale.
inline constexpr IconResource ICON_RESOURCES[] = {
    {ICON_GROUP_PROGRAM, "tessary_8.ico"}, {ICON_GROUP_SMALL, "tessary_16.ico"}, {ICON_GROUP_SCALED, "tessary_24.ico"}};
constexpr int ICON_SIZE = 48;
constexpr int SMALL_ICON_SIZE = 16;  // at 100 %

// The number picture "PuzNumbs.bmp" drawn for the larger scales, and its fingerprint.
constexpr const char* NUMBER_PICTURE_FILE = "numbers.png";
constexpr const char* NUMBER_PICTURE_FINGERPRINT_FILE = "numbers.fingerprint";

// How far, in levels of each colour, the program's rebuilt skin of a larger
// scale may stray from its drawing where the enlarged 100 % skin comes that
// close: the skin's correction leaves such pixels out, which halves its size.
// Under and around the controls it is exact.
constexpr int SKIN_CORRECTION_TOLERANCE = 2;

}  // namespace resources
