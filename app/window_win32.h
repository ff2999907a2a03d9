// The main window: its class, its window procedure and the game's requests
// carried out with real Win32 calls.
#pragma once

#include "app/display_win32.h"
#include "app/game_window.h"
#include "ids/display_scale.h"
#include "solver/hint_thread_win32.h"

#include <windows.h>

#include <string>

class Game;

// Identifier and period of the game clock's timer.
constexpr UINT_PTR CLOCK_TIMER_ID = 1;
constexpr UINT CLOCK_INTERVAL_MS = 1000;

// The hint's worker posts each way it finds to the main window as this message.
constexpr UINT WM_HINT_FOUND = WM_APP + 1;
// A search that has not answered within this long shows the busy-in-the-background pointer.
constexpr UINT_PTR HINT_CURSOR_TIMER_ID = 2;
constexpr UINT HINT_CURSOR_DELAY_MS = 150;

// At 100 %; the window is this size times the monitor's scale.
constexpr int MAIN_WINDOW_WIDTH = 742;
constexpr int MAIN_WINDOW_HEIGHT = 451;

class Win32GameWindow : public GameWindow {
public:
    HWND main = nullptr;
    HWND preview = nullptr;
    HWND tile_handles[16] = {};  // entry t: the button of tile t; entry 0 unused
    HBITMAP preview_bitmap = nullptr;  // the picture at 100 %: what the snapshot writes
    int hinted_tile = 0;  // the tile drawn with the hint's frame
    HintThread* hints = nullptr;  // set once the window shows

    // The search for the board `asked` has answered.
    void hint_answered(const Cells& asked);
    // The pointer over the window while a search takes long; false: the window's own.
    bool busy_pointer() const { return busy_pointer_; }
    void show_busy_pointer(bool busy);

    // The monitor's scale and what is made for it. The game speaks in its own
    // pixels (100 %); these turn them into the monitor's and back.
    int dpi = BASE_DPI;
    Point tile_at[16] = {};          // where each tile's button stands, in the game's pixels
    HBITMAP preview_shown = nullptr;  // the picture as the panel shows it at a larger scale
    std::string preview_source;       // the file the panel's picture was loaded from
    TextFonts fonts;

    // Lays the window out again for a monitor of new_dpi - the skin, every
    // control, the fonts, the panel's picture - at the place and size Windows
    // suggests (WM_DPICHANGED), or where it is without a suggestion. The game,
    // its clock and its pictures are not touched.
    void change_dpi(int new_dpi, const RECT* suggested);
    // The class background brush that paints the whole window: the skin.
    void set_skin(HBRUSH skin);
    // Gives the panel its picture as the scale shows it, and lets go of the
    // pictures it replaces (and of any copy the panel made of one).
    void show_preview(HBITMAP replaced_bitmap, HBITMAP replaced_shown);

    void place_tile(int tile, Point position) override;
    void show_hint(int tile) override;
    void find_hint(const Cells& cells) override;
    void abandon_hint() override;
    void set_text(int control_id, const std::string& text) override;
    void show_control(int control_id, bool visible) override;
    void start_clock() override;
    void stop_clock() override;
    void play_sound(int wave_id) override;
    void beep() override;
    void repaint_window() override;
    void minimize_window() override;
    void destroy_window() override;
    void begin_window_drag(int x, int y) override;
    bool open_help(const std::string& path) override;
    void show_message(const std::string& text, const std::string& caption) override;
    bool choose_picture(const std::string& initial_folder, std::string& chosen_path) override;
    PngResult import_png(const std::string& png, const std::string& bmp) override;
    bool load_preview(const std::string& path) override;
    bool save_preview_snapshot(const std::string& path) override;

private:
    void end_search();

    bool searching_ = false;  // for the board searching_for_
    Cells searching_for_{};
    bool busy_pointer_ = false;
};

// The game the window procedure forwards to, and the window that carries out
// its requests; set before the window exists.
void attach_game(Game* game, Win32GameWindow* window);

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Registers the class "Tessary", its small icon drawn for dpi; false on failure.
bool register_window_class(HINSTANCE instance, int dpi);

// The borderless main window, placed as the game always placed it, at dpi.
HWND create_main_window(HINSTANCE instance, int dpi);

// The skin for dpi as the class background brush; the stock light grey without it.
HBRUSH make_skin_brush(int dpi);

// The 31 child controls in table order, each set up right after it is created;
// the preview panel receives the picture at `current_picture_path`.
void create_controls(Win32GameWindow& window, HINSTANCE instance, const std::string& current_picture_path);
