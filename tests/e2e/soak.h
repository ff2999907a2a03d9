// Many random player actions against the running program, with the driver's
// own model of the game checked after every step, and the program's memory
// and window counts sampled so that leaks across thousands of draws show.
#pragma once

#include <windows.h>

#include <string>

#include "app.h"

namespace e2e {

// LOAD PIC while idle through the open-file dialog (load_pic of dialog.h),
// checked to open, close and bring no message box. False when it did not.
bool choose_picture(App& app, const std::string& name);

// The four magic-square sums and the ordered and exchanged boards, as the
// program's end test sees them: 0 none, 1 ordered, 2 exchanged, 3 magic square.
int end_kind_of(const Cells& cells, bool magic_squares_count);

// What the driver can see of the program's resources. Under wine 8.0
// GetGuiResources returns 0 (error 120, not implemented) and
// GetProcessHandleCount gives 0, so the counts here are the program's own
// windows and its memory, as GetProcessMemoryInfo reports it.
struct ResourceSample {
    DWORD gdi_objects = 0, user_objects = 0;  // GetGuiResources (0 under Wine)
    int windows = 0;                           // top-level windows and children of the process
    SIZE_T working_set = 0, committed = 0;     // bytes
};
ResourceSample sample_resources(const App& app);

struct SoakOptions {
    int actions = 300;
    unsigned seed = 1;
    int redraw_every = 5;      // forced repaints of the whole window
    int load_pic_every = 0;    // about one LOAD PIC in this many idle actions; 0 never
    int sample_every = 100;    // resource samples and a face check
    bool verbose = false;      // a line per sample
};

struct SoakReport {
    int actions = 0, moves = 0, games = 0, redraws = 0, pictures = 0, ticks = 0, ends = 0;
    ResourceSample first, last;  // after the warm-up, and at the end
    SIZE_T peak_committed = 0;
    DWORD milliseconds = 0;
};

// Runs the actions; every failed check is reported as a failed CHECK with the
// action number, and the run stops at the first step whose board disagrees.
void run_soak(App& app, const SoakOptions& options, SoakReport& report);

// The number of actions of the long soak asked for on the command line (0: none).
void set_long_soak(int actions);
int long_soak_actions();

}  // namespace e2e
