// A message box the program shows before its main window exists. App waits
// for the window meanwhile, so the box is watched for from a thread of its
// own, read and closed with OK.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class StartBox {
public:
    // What the box showed.
    struct Seen {
        bool shown = false;
        DWORD process = 0;             // the program that showed it
        std::string text, caption;
        bool owned = false;            // it had an owner window
        bool icon = false;             // it showed an icon
        bool ok_only = false;          // OK was its one button
        bool window_before = false;    // the program's main window was already shown
    };

    // Starts watching for a box captioned "Tessary".
    StartBox();
    ~StartBox();
    StartBox(const StartBox&) = delete;
    StartBox& operator=(const StartBox&) = delete;

    // Stops watching; what was seen by then.
    const Seen& result();

private:
    static DWORD WINAPI watch(void* self);
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    Seen seen_;
};

}  // namespace e2e
