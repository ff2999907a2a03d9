// Which bitmap resource each owner-drawn button shows, not pressed and pressed.
// The tiles are not here: they are cut from the tile picture file.
#pragma once

#include "app/control_ids.h"

// Bitmap resource of the window skin, the class background.
constexpr int SKIN_BITMAP = 40;

struct FaceRow {
    int control_id;
    int face;          // not pressed
    int pressed_face;  // ODS_SELECTED
};

inline constexpr FaceRow FACE_TABLE[] = {
    {ID_NEW_GAME, 200, 300},
    {ID_LOAD_PIC, 400, 500},
    {ID_CANCEL, 2600, 2700},
    {ID_HELP, 750, 800},
    {ID_MINIMIZE, 950, 1000},
    {ID_CLOSE, 1150, 1200},
    // The check box and the speaker look the same pressed and not pressed.
    {ID_CHECKBOX_EMPTY, 3450, 3450},
    {ID_CHECKBOX_CHECKED, 3550, 3550},
    {ID_SOUND_ON, 4050, 4050},
    {ID_SOUND_OFF, 4100, 4100},
};

// The face of a button, or 0 when the control has no face resource.
inline int face_for(int control_id, bool pressed) {
    for (const FaceRow& row : FACE_TABLE)
        if (row.control_id == control_id) return pressed ? row.pressed_face : row.face;
    return 0;
}
