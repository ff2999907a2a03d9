// The display's scale as Windows tells it to the game: the DPI of the monitor
// its window is on, and the texts' fonts made for that DPI.
#pragma once

#include <windows.h>

#include <utility>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The system's DPI: the one its own fonts are made for, and the one the window
// opens at (on the main monitor).
int system_dpi();

// The DPI of the monitor the window is on. GetDpiForWindow (Windows 10, version
// 1607 and later) is looked up at run time, so that the program still starts
// on Windows 7; without it, the system's DPI.
int window_dpi(HWND window);

// The fonts of the window's texts at a DPI: nullptr where the system's own
// font serves, i.e. at the system's DPI; otherwise the same font made for the
// DPI, which belongs to this object.
class TextFonts {
public:
    TextFonts() = default;
    ~TextFonts();
    TextFonts(const TextFonts&) = delete;
    TextFonts& operator=(const TextFonts&) = delete;

    // Fonts for dpi; the controls still using the old ones are told of the new
    // before the old go (swap, then let the other object go).
    void make_for(int dpi);
    void swap(TextFonts& other) {
        std::swap(system_, other.system_);
        std::swap(gui_, other.gui_);
    }
    HFONT system() const { return system_; }  // the clock's and the move counter's
    HFONT gui() const { return gui_; }        // DEFAULT_GUI_FONT's, for the other texts

private:
    void release();
    HFONT system_ = nullptr;
    HFONT gui_ = nullptr;
};
