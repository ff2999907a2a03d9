// Creates the main window's children by walking the control table, and lays
// them out again when the window moves to a monitor of another scale.
#include "app/control_table.h"
#include "app/window_win32.h"

#include "graphics/art_win32.h"
#include "graphics/picture_win32.h"

static_assert(STYLE_OWNER_DRAWN == (WS_CHILD | WS_VISIBLE | BS_OWNERDRAW), "owner-drawn button style");
static_assert(STYLE_PICTURE == (WS_CHILD | WS_VISIBLE | SS_BITMAP), "preview style");
static_assert(STYLE_PLAIN_TEXT == (WS_CHILD | WS_VISIBLE | SS_SIMPLE | SS_NOPREFIX), "clock and moves style");
static_assert(STYLE_CENTRED_TEXT == (WS_CHILD | WS_VISIBLE | SS_CENTER), "centred text style");

namespace {

HWND create_child(const ControlRow& row, HWND parent, HINSTANCE instance, int dpi) {
    const ScaledRect r = control_rect(row, dpi);
    return CreateWindowExA(0, row.class_name, "", row.style, r.x, r.y, r.width, r.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
}

// Keeps the handles the game's requests need later, and where each tile stands.
void remember(Win32GameWindow& window, const ControlRow& row, HWND child) {
    if (const int tile = tile_for_control(row.id)) {
        window.tile_handles[tile] = child;
        window.tile_at[tile] = Point{row.x, row.y};
    }
    if (row.id == ID_PREVIEW) window.preview = child;
}

bool shows_text(const ControlRow& row) {
    return row.style == STYLE_PLAIN_TEXT || row.style == STYLE_CENTRED_TEXT;
}

// A text's font: DEFAULT_GUI_FONT or the system font (nullptr), each made for
// the window's DPI where that is not the system's.
HFONT text_font(const ControlRow& row, const TextFonts& fonts) {
    if (row.gui_font) return fonts.gui() ? fonts.gui() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return fonts.system();
}

}  // namespace

void create_controls(Win32GameWindow& window, HINSTANCE instance, const std::string& current_picture_path) {
    window.fonts.make_for(window.dpi);
    for (const ControlRow& row : CONTROL_TABLE) {
        HWND child = create_child(row, window.main, instance, window.dpi);
        remember(window, row, child);
        if (row.starts_hidden) ShowWindow(child, SW_HIDE);
        if (row.shows_picture) window.load_preview(current_picture_path);
        if (row.initial_text) SetDlgItemTextA(window.main, row.id, row.initial_text);
        // The system font needs no message: a text control starts with it.
        if (HFONT font = shows_text(row) ? text_font(row, window.fonts) : nullptr)
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void Win32GameWindow::change_dpi(int new_dpi, const RECT* suggested) {
    if (new_dpi <= 0) return;
    dpi = new_dpi;
    if (suggested)
        SetWindowPos(main, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(main, nullptr, 0, 0, scaled(MAIN_WINDOW_WIDTH, dpi), scaled(MAIN_WINDOW_HEIGHT, dpi),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The skin and the small icon drawn for the scale.
    set_skin(make_skin_brush(dpi));
    if (HICON replaced = reinterpret_cast<HICON>(
            SendMessageA(main, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load_small_icon(dpi)))))
        DestroyIcon(replaced);

    TextFonts replaced_fonts;
    replaced_fonts.swap(fonts);
    fonts.make_for(dpi);
    for (const ControlRow& row : CONTROL_TABLE) {
        HWND child = GetDlgItem(main, row.id);
        const int tile = tile_for_control(row.id);
        const ScaledRect r = tile ? scaled_rect(tile_at[tile].x, tile_at[tile].y, row.width, row.height, dpi)
                                  : control_rect(row, dpi);
        MoveWindow(child, r.x, r.y, r.width, r.height, FALSE);
        if (shows_text(row)) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(text_font(row, fonts)), FALSE);
    }
    // The panel's picture again at the new size: from its file where it still
    // can be read, else from the picture at 100 %.
    if (preview_bitmap) {
        HBITMAP shown = nullptr;
        if (dpi != BASE_DPI) {
            HBITMAP again = load_picture(preview_source, scaled(PREVIEW_PICTURE_SIZE, dpi), &shown);
            if (again) DeleteObject(again);
            if (!shown) shown = smooth_copy(preview_bitmap, scaled(PREVIEW_PICTURE_SIZE, dpi));
        }
        HBITMAP replaced = preview_shown;
        preview_shown = shown;
        show_preview(nullptr, replaced);
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
