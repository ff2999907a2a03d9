// Which bitmap resource each owner-drawn button shows, not pressed and pressed.
// The tiles are not here: they are cut from the tile picture file.
#pragma once

#include "ids/control_ids.h"
#include "ids/resource_ids.h"

struct FaceRow {
    int control_id;
    int face;          // not pressed
    int pressed_face;  // ODS_SELECTED
};

inline constexpr FaceRow FACE_TABLE[] = {
    {ID_NEW_GAME, FACE_NEW_GAME, FACE_NEW_GAME_PRESSED},
    {ID_LOAD_PIC, FACE_LOAD_PIC, FACE_LOAD_PIC_PRESSED},
    {ID_CANCEL, FACE_CANCEL, FACE_CANCEL_PRESSED},
    {ID_HELP, FACE_HELP, FACE_HELP_PRESSED},
    {ID_MINIMIZE, FACE_MINIMIZE, FACE_MINIMIZE_PRESSED},
    {ID_CLOSE, FACE_CLOSE, FACE_CLOSE_PRESSED},
    // The check box and the speaker look the same pressed and not pressed.
    {ID_CHECKBOX_EMPTY, FACE_CHECKBOX_EMPTY, FACE_CHECKBOX_EMPTY},
    {ID_CHECKBOX_CHECKED, FACE_CHECKBOX_CHECKED, FACE_CHECKBOX_CHECKED},
    {ID_SOUND_ON, FACE_SOUND_ON, FACE_SOUND_ON},
    {ID_SOUND_OFF, FACE_SOUND_OFF, FACE_SOUND_OFF},
};

// The face of a button, or 0 when the control has no face resource.
inline int face_for(int control_id, bool pressed) {
    for (const FaceRow& row : FACE_TABLE)
        if (row.control_id == control_id) return pressed ? row.pressed_face : row.face;
    return 0;
}
