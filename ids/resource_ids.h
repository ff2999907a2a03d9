// Identifiers of the bitmap and icon resources compiled into the program: the
// window skin, the button faces and the two icon groups. The drawing code loads
// them and the asset generator makes them under these numbers.
#pragma once

enum BitmapId {
    SKIN_BITMAP = 40,  // the whole window, the class background
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
};
