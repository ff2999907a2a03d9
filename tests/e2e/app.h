// Starts Tessary.exe in a scratch copy of its folder and operates it as a
// player would, from another process: commands by control identifier, texts,
// rectangles, visibility and styles read back from the window.
#pragma once

#include <windows.h>

#include <string>

#include "solver.h"

namespace e2e {

// Where the distributable folder is (set once by main) and where scratch
// copies go.
void set_folders(const std::string& dist_folder, const std::string& scratch_root);
const std::string& dist_folder();

// A new scratch folder holding a copy of the distributable folder, without
// any best-record file. Each call gives a folder of its own; suffix (ANSI
// text) ends its name.
std::string make_scratch_folder(const std::string& suffix = "");

// The first shown window of class "Tessary" that belongs to process pid, or nullptr.
HWND find_main_window(DWORD pid);

// A folder as named on the command line, with backslashes. Under Wine a Linux
// path (as CTest and the scripts pass it) becomes the same place on drive Z:,
// unless TESSARY_E2E_WINDOWS=1 asks the driver to behave exactly as on
// Windows, where a path is taken as it is given.
std::string windows_path(std::string path);

// What the driver runs on: "Windows 10.0.20348", "Wine 8.0", or
// "Wine 8.0, as on Windows" (TESSARY_E2E_WINDOWS=1).
std::string platform_name();

// Deletes the scratch copies made so far, and the scratch folder itself
// unless something else (a screen saved at a failure) is left in it.
void remove_scratch_copies();
const std::string& scratch_root();

// Deletes a folder and everything in it; a missing folder is fine.
void remove_folder(const std::string& folder);
// Copies a folder and everything in it, attributes included; false when any of it failed.
bool copy_folder(const std::string& from, const std::string& to);

// The whole contents of a file, and whether it could be read.
bool read_file(const std::string& path, std::string& bytes);
bool write_file(const std::string& path, const std::string& bytes);

struct ClientRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class App {
public:
    // Starts folder\Tessary.exe with folder as its working directory and waits
    // until its main window (class "Tessary") is shown.
    explicit App(const std::string& folder);
    // Closes the program if it still runs (close button, then termination).
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    bool running_window() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }
    const std::string& folder() const { return folder_; }

    // A click on a control: WM_COMMAND with its identifier, handled before return.
    void click(int id);
    // The same click posted, for commands that open a modal box.
    void post_click(int id);
    // One clock tick, as the timer would deliver it.
    void tick();

    HWND control(int id) const;
    std::string text(int id) const;
    // The control's rectangle in the main window's client coordinates.
    ClientRect rect(int id) const;
    bool visible(int id) const;
    LONG_PTR style(int id) const;
    std::string class_name(int id) const;

    // The DPI of the monitor the program's window is on, as Windows reports
    // it to the program: its layout is the game's own at 96, and that times
    // DPI / 96 (rounded as MulDiv rounds) at any other.
    int dpi() const;

    // The board as the tile buttons show it; false when a tile is off the
    // cell grid or two tiles share a cell. The grid is the one at dpi (0: the
    // window's own DPI).
    bool read_board(Cells& cells, int dpi = 0) const;

    // A shown dialog box (class "#32770") of the program, waiting up to
    // timeout_ms for one to appear; nullptr when none does.
    HWND find_dialog(DWORD timeout_ms) const;

    // Lets the program handle what is queued (paints included).
    void settle() const;

    // Presses the close button and waits for the process to end; the exit
    // code, or STILL_ACTIVE when it did not end within the timeout.
    DWORD close_and_wait(DWORD timeout_ms = 5000);
    // Waits for the process to end on its own; STILL_ACTIVE on timeout.
    DWORD wait_exit(DWORD timeout_ms);

private:
    std::string folder_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The tile buttons' identifiers, by tile number (index 0 unused).
extern const int TILE_ID[16];

}  // namespace e2e
