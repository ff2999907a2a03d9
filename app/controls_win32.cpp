// Creates the main window's children by walking the control table.
#include "app/control_table.h"
#include "app/window_win32.h"

#include "graphics/picture_win32.h"

static_assert(STYLE_OWNER_DRAWN == (WS_CHILD | WS_VISIBLE | BS_OWNERDRAW), "owner-drawn button style");
static_assert(STYLE_PICTURE == (WS_CHILD | WS_VISIBLE | SS_BITMAP), "preview style");
static_assert(STYLE_PLAIN_TEXT == (WS_CHILD | WS_VISIBLE | SS_SIMPLE | SS_NOPREFIX), "clock and moves style");
static_assert(STYLE_CENTRED_TEXT == (WS_CHILD | WS_VISIBLE | SS_CENTER), "centred text style");

namespace {

HWND create_child(const ControlRow& row, HWND parent, HINSTANCE instance) {
    return CreateWindowExA(0, row.class_name, "", row.style, row.x, row.y, row.width, row.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
}

// Keeps the handles the game's requests need later.
void remember(Win32GameWindow& window, int id, HWND child) {
    if (const int tile = tile_for_control(id)) window.tile_handles[tile] = child;
    if (id == ID_PREVIEW) window.preview = child;
}

}  // namespace

void create_controls(Win32GameWindow& window, HINSTANCE instance, const std::string& current_picture_path) {
    for (const ControlRow& row : CONTROL_TABLE) {
        HWND child = create_child(row, window.main, instance);
        remember(window, row.id, child);
        if (row.starts_hidden) ShowWindow(child, SW_HIDE);
        if (row.shows_picture) window.load_preview(current_picture_path);
        if (row.initial_text) SetDlgItemTextA(window.main, row.id, row.initial_text);
        if (row.gui_font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    }
}
