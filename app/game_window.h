// What the game asks of its window. The Windows program implements it with
// real calls; the tests implement it with a recorder that keeps every call.
#pragma once

#include "board/board.h"
#include "graphics/png_import.h"
#include "solver/solver.h"

#include <string>

class GameWindow {
public:
    virtual ~GameWindow() = default;

    // Puts the button of a tile at a pixel position, TILE_SIZE square, repainted.
    virtual void place_tile(int tile, Point position) = 0;
    // Draws a tile highlighted as the hint, or no tile for 0: the tile to move next.
    virtual void show_hint(int tile) = 0;
    // Starts looking for a shortest way home from cells beside the window, in place
    // of any search still running; the way comes back later through Game::hint_found.
    virtual void find_hint(const Cells& cells) = 0;
    // The search in flight is no longer wanted: it stops, and its answer never comes.
    virtual void abandon_hint() = 0;
    // Text of a static control, by control identifier.
    virtual void set_text(int control_id, const std::string& text) = 0;
    virtual void show_control(int control_id, bool visible) = 0;
    virtual void start_clock() = 0;  // one tick a second
    virtual void stop_clock() = 0;
    virtual void play_sound(int wave_id) = 0;  // asynchronous; cuts off the sound still playing
    virtual void beep() = 0;                   // the system's default beep
    virtual void repaint_window() = 0;         // the whole window, at once, without erasing
    virtual void minimize_window() = 0;
    virtual void destroy_window() = 0;
    // Hands a point of the title strip to the system's window-moving loop.
    virtual void begin_window_drag(int x, int y) = 0;
    // Opens the help file with the shell; false when it could not be opened.
    virtual bool open_help(const std::string& path) = 0;
    virtual void show_message(const std::string& text, const std::string& caption) = 0;

    // Pictures.
    // The open-file dialog starting in the picture folder; false when no file was chosen.
    virtual bool choose_picture(const std::string& initial_folder, std::string& chosen_path) = 0;
    // Decodes a PNG file and writes it as the BMP file bmp.
    virtual PngResult import_png(const std::string& png, const std::string& bmp) = 0;
    // Loads a GIF, JPEG or BMP file into the preview panel; false, with the
    // panel as it was, when the file cannot be read or decoded.
    virtual bool load_preview(const std::string& path) = 0;
    // Writes the preview panel's pixels as a 24-bit BMP file; false when they
    // cannot be had or the file cannot be written.
    virtual bool save_preview_snapshot(const std::string& path) = 0;
};
