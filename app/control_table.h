// The main window's 31 child controls as data: creation order, identifiers,
// classes, styles, rectangles and what each needs right after creation.
// Portable (styles as plain numbers) so the table can be checked without Windows.
#pragma once

#include "ids/control_ids.h"
#include "ids/display_scale.h"

// WS_CHILD | WS_VISIBLE | BS_OWNERDRAW
constexpr unsigned long STYLE_OWNER_DRAWN = 0x5000000Bul;
// WS_CHILD | WS_VISIBLE | SS_BITMAP
constexpr unsigned long STYLE_PICTURE = 0x5000000Eul;
// WS_CHILD | WS_VISIBLE | SS_SIMPLE | SS_NOPREFIX
constexpr unsigned long STYLE_PLAIN_TEXT = 0x5000008Bul;
// WS_CHILD | WS_VISIBLE | SS_CENTER
constexpr unsigned long STYLE_CENTRED_TEXT = 0x50000001ul;

struct ControlRow {
    int id;
    const char* class_name;
    unsigned long style;
    int x, y, width, height;
    // Hidden right after it is created: the second face of the check box and of
    // the sound switch, each on the same rectangle as the face that is shown.
    bool starts_hidden;
    const char* initial_text;  // nullptr: none is set
    bool gui_font;             // DEFAULT_GUI_FONT instead of the system font
    bool shows_picture;        // receives the current picture once created
};

constexpr int CONTROL_COUNT = 31;

inline constexpr ControlRow CONTROL_TABLE[CONTROL_COUNT] = {
    {ID_NEW_GAME, "BUTTON", STYLE_OWNER_DRAWN, 150, 393, 95, 40, false, nullptr, false, false},
    {ID_LOAD_PIC, "BUTTON", STYLE_OWNER_DRAWN, 402, 337, 95, 40, false, nullptr, false, false},
    {ID_CANCEL, "BUTTON", STYLE_OWNER_DRAWN, 402, 287, 95, 40, false, nullptr, false, false},
    {ID_HELP, "BUTTON", STYLE_OWNER_DRAWN, 690, 5, 23, 18, false, nullptr, false, false},
    {ID_MINIMIZE, "BUTTON", STYLE_OWNER_DRAWN, 664, 5, 24, 18, false, nullptr, false, false},
    {ID_CLOSE, "BUTTON", STYLE_OWNER_DRAWN, 715, 5, 23, 18, false, nullptr, false, false},
    {ID_SOUND_ON, "BUTTON", STYLE_OWNER_DRAWN, 700, 414, 28, 28, false, nullptr, false, false},
    {ID_SOUND_OFF, "BUTTON", STYLE_OWNER_DRAWN, 700, 414, 28, 28, true, nullptr, false, false},
    {ID_CHECKBOX_EMPTY, "BUTTON", STYLE_OWNER_DRAWN, 481, 52, 12, 12, true, nullptr, false, false},
    {ID_CHECKBOX_CHECKED, "BUTTON", STYLE_OWNER_DRAWN, 481, 52, 12, 12, false, nullptr, false, false},
    // The tiles in order, each on the cell it holds in the ordered board.
    {1350, "BUTTON", STYLE_OWNER_DRAWN, 30, 54, 80, 80, false, nullptr, false, false},
    {1400, "BUTTON", STYLE_OWNER_DRAWN, 111, 54, 80, 80, false, nullptr, false, false},
    {1450, "BUTTON", STYLE_OWNER_DRAWN, 192, 54, 80, 80, false, nullptr, false, false},
    {1500, "BUTTON", STYLE_OWNER_DRAWN, 273, 54, 80, 80, false, nullptr, false, false},
    {1550, "BUTTON", STYLE_OWNER_DRAWN, 30, 135, 80, 80, false, nullptr, false, false},
    {1600, "BUTTON", STYLE_OWNER_DRAWN, 111, 135, 80, 80, false, nullptr, false, false},
    {1700, "BUTTON", STYLE_OWNER_DRAWN, 192, 135, 80, 80, false, nullptr, false, false},
    {1750, "BUTTON", STYLE_OWNER_DRAWN, 273, 135, 80, 80, false, nullptr, false, false},
    {1800, "BUTTON", STYLE_OWNER_DRAWN, 30, 216, 80, 80, false, nullptr, false, false},
    {1900, "BUTTON", STYLE_OWNER_DRAWN, 111, 216, 80, 80, false, nullptr, false, false},
    {1950, "BUTTON", STYLE_OWNER_DRAWN, 192, 216, 80, 80, false, nullptr, false, false},
    {2000, "BUTTON", STYLE_OWNER_DRAWN, 273, 216, 80, 80, false, nullptr, false, false},
    {2100, "BUTTON", STYLE_OWNER_DRAWN, 30, 297, 80, 80, false, nullptr, false, false},
    {2150, "BUTTON", STYLE_OWNER_DRAWN, 111, 297, 80, 80, false, nullptr, false, false},
    {2200, "BUTTON", STYLE_OWNER_DRAWN, 192, 297, 80, 80, false, nullptr, false, false},
    {ID_PREVIEW, "STATIC", STYLE_PICTURE, 548, 28, 190, 182, false, nullptr, false, true},
    {ID_TIME, "STATIC", STYLE_PLAIN_TEXT, 436, 117, 48, 20, false, "0:00", false, false},
    {ID_MOVES, "STATIC", STYLE_PLAIN_TEXT, 436, 184, 38, 20, false, "0", false, false},
    {ID_RESULT, "STATIC", STYLE_CENTRED_TEXT, 410, 252, 80, 20, false, nullptr, true, false},
    {ID_BEST_TIME, "STATIC", STYLE_CENTRED_TEXT, 676, 364, 36, 16, false, nullptr, true, false},
    {ID_LEAST_MOVES, "STATIC", STYLE_CENTRED_TEXT, 676, 387, 36, 16, false, nullptr, true, false},
};

// A row's rectangle on a monitor of dpi: the one place the table meets the scale.
constexpr ScaledRect control_rect(const ControlRow& row, int dpi) {
    return scaled_rect(row.x, row.y, row.width, row.height, dpi);
}

// The row of a control, or nullptr.
inline const ControlRow* control_row(int id) {
    for (const ControlRow& row : CONTROL_TABLE)
        if (row.id == id) return &row;
    return nullptr;
}
