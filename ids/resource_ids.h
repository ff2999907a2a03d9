// Identifiers of the bitmap and icon resources compiled into the program: the
// window skin, the button faces and the two icon groups. The drawing code loads
// them and the asset generator makes them under these numbers.
#pragma once

enum BitmapId {
    SKIN_BITMAP = 40,  // the whole window, the class background (PNG data, RCDATA)
    FACE_NEW_GAME = 200,
    FACE_NEW_GAME_PRESSED = 300,
    FACE_LOAD_PIC = 400,
    FACE_LOAD_PIC_PRESSED = 500,
    FACE_HELP = 750,
    FACE_HELP_PRESSED = 800,
    FACE_MINIMIZE = 950,
    FACE_MINIMIZE_PRESSED = 1000,
    FACE_CLOSE = 1150,
    FACE_CLOSE_PRESSED = 1200,
    FACE_CANCEL = 2600,
    FACE_CANCEL_PRESSED = 2700,
    FACE_CHECKBOX_EMPTY = 3450,
    FACE_CHECKBOX_CHECKED = 3550,
    FACE_SOUND_ON = 4050,
    FACE_SOUND_OFF = 4100,
};

enum IconId {
    ICON_GROUP_PROGRAM = 8,  // the program file's icon in Explorer (the lowest group); the window never loads it
    ICON_GROUP_SMALL = 16,  // the window class's small icon
    ICON_GROUP_SCALED = 24,  // the small icon drawn for the larger scales, one image for each
};

// The art drawn for the larger scales (ART_DPIS[1] to [4], ids/display_scale.h)
// travels as PNG data (RCDATA) under scaled_art_id(its 100 % identifier, scale):
// the skin as a correction to the enlarged 100 % skin, the faces and the number
// picture as they are drawn.
constexpr int scaled_art_id(int id, int scale) { return id * 10 + scale; }

// "PuzNumbs.bmp" as shipped: its fingerprint (8 bytes, RCDATA), to recognise it
// on the tiles; its drawings for the larger scales under scaled_art_id.
constexpr int NUMBER_PICTURE_ART = 4600;
