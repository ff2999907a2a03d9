// Driving the program's modal windows from the driver: the open-file dialog
// of LOAD PIC and the message boxes that may follow it.
#pragma once

#include <windows.h>

#include <string>

#include "app.h"
#include "image.h"

namespace e2e {

// Presses a button of a dialog or message box (posted: the box is modal).
void press(HWND dialog, int button_id);
// Waits until the window is gone; false on timeout.
bool wait_closed(HWND window, DWORD timeout_ms);

// What one LOAD PIC showed.
struct LoadOutcome {
    bool dialog_shown = false;   // the open-file dialog came up
    bool dialog_closed = false;  // and went away after Open or Cancel
    bool box_shown = false;      // a message box followed (and was closed with OK)
    std::string box_text, box_caption;
};

// LOAD PIC, typing name into the file-name box and pressing Open (a relative
// name is taken in the picture folder); closes a message box that follows
// with OK and waits until the program is idle again.
LoadOutcome load_pic(App& app, const std::string& name);
// LOAD PIC with the dialog cancelled.
LoadOutcome load_pic_cancelled(App& app);

// The program's picture folder and its current picture "game_image00.bmp".
std::string picture_folder(const App& app);
std::string current_picture_path(const App& app);

// The preview panel as it is on the screen (the window must be uncovered).
bool capture_preview(const App& app, Image& image);

// NEW GAME then CANCEL: the tiles stand dealt and LOAD PIC is allowed again.
void scramble_board(App& app);

// Checks that "game_image00.bmp" is the 110 646-byte snapshot of a 192 x 192
// panel with the snapshot's own header, and reads its pixels; `when` names the
// moment in failure messages. False when it is not.
bool check_snapshot_file(const App& app, Image& picture, const std::string& when);

// What HELP brought up: a help viewer (hh.exe) of its own, which is ended
// again, or the program's message box, which is closed with OK.
struct HelpOutcome {
    bool viewer_started = false;
    std::string box_text;  // empty when no box came
};
HelpOutcome press_help(App& app);

// The process still runs and its window answers a message within timeout_ms.
bool responsive(const App& app, DWORD timeout_ms = 3000);

}  // namespace e2e
