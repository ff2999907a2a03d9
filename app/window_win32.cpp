// The window procedure, one small handler per message, and the GameWindow
// requests as Win32 calls.
#include "app/window_win32.h"

#include "app/control_table.h"
#include "app/game.h"
#include "graphics/art_win32.h"
#include "graphics/draw_win32.h"
#include "graphics/picture_win32.h"
#include "graphics/png_import.h"
#include "graphics/tile_faces_win32.h"
#include "ids/control_ids.h"
#include "ids/resource_ids.h"
#include "sound/play_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <memory>
#include <vector>

namespace {

Game* the_game = nullptr;
Win32GameWindow* the_window = nullptr;

int current_dpi() { return the_window ? the_window->dpi : BASE_DPI; }

const char CLASS_NAME[] = "Tessary";
const char WINDOW_TITLE[] = "Tessary";

// Browsers on Windows save JPEG pictures under .jpeg, .jpe and .jfif too.
const char PICTURE_FILTER[] = "Image Files (*.GIF;*.JPG;*.JPEG;*.JPE;*.JFIF;*.BMP;*.PNG)\0"
                              "*.GIF;*.JPG;*.JPEG;*.JPE;*.JFIF;*.BMP;*.PNG\0\0";
constexpr DWORD PICTURE_PATH_CHARS = 260;
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEA) == 88, "the open-file record the game has always passed");
#endif

LRESULT on_command(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    // The notification code is not examined: every command with a control's identifier is a click.
    if (the_game) the_game->command(LOWORD(wparam));
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT on_timer() {
    if (the_game) the_game->clock_tick();
    return 0;
}

// The game takes the point in its own pixels.
LRESULT on_left_button_down(LPARAM lparam) {
    const int dpi = current_dpi();
    if (the_game) the_game->mouse_down(unscaled(LOWORD(lparam), dpi), unscaled(HIWORD(lparam), dpi));
    return 0;
}

// The class background brush paints the whole skin; nothing else is drawn.
LRESULT on_paint(HWND hwnd) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT on_destroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT on_draw_item(WPARAM wparam, LPARAM lparam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (the_game && item) {
        const int id = LOWORD(wparam);
        const bool hinted = the_game->hinted_tile() != 0 && tile_for_control(id) == the_game->hinted_tile();
        draw_control(id, *item, the_game->tile_picture_path(), hinted, current_dpi());
    }
    return 0;
}

LRESULT on_color_static(WPARAM wparam) {
    return reinterpret_cast<LRESULT>(color_static(reinterpret_cast<HDC>(wparam)));
}

// A way home found beside the window, for the game to show or drop.
LRESULT on_hint_found(LPARAM lparam) {
    const std::unique_ptr<HintAnswer> answer = HintThread::take(lparam);
    if (!answer) return 0;
    if (the_window) the_window->hint_answered(answer->asked);
    if (the_game) the_game->hint_found(answer->asked, answer->way);
    return 0;
}

// Over the window and its controls alike, while a search takes long.
LRESULT on_set_cursor(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!the_window || !the_window->busy_pointer()) return DefWindowProcA(hwnd, message, wparam, lparam);
    SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
    return TRUE;
}

VOID CALLBACK on_search_taking_long(HWND hwnd, UINT, UINT_PTR timer, DWORD) {
    KillTimer(hwnd, timer);
    if (the_window) the_window->show_busy_pointer(true);
}

bool pointer_over(HWND main) {
    POINT at;
    if (!GetCursorPos(&at)) return false;
    const HWND under = WindowFromPoint(at);
    return under == main || IsChild(main, under);
}

// Moved to a monitor of another DPI, or that monitor's scale changed.
LRESULT on_dpi_changed(WPARAM wparam, LPARAM lparam) {
    if (the_window) the_window->change_dpi(LOWORD(wparam), reinterpret_cast<const RECT*>(lparam));
    return 0;
}

}  // namespace

void attach_game(Game* game, Win32GameWindow* window) {
    the_game = game;
    the_window = window;
}

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: return on_command(hwnd, message, wparam, lparam);
        case WM_TIMER: return on_timer();
        case WM_LBUTTONDOWN: return on_left_button_down(lparam);
        case WM_PAINT: return on_paint(hwnd);
        case WM_DESTROY: return on_destroy();
        case WM_DRAWITEM: return on_draw_item(wparam, lparam);
        case WM_CTLCOLORSTATIC: return on_color_static(wparam);
        case WM_HINT_FOUND: return on_hint_found(lparam);
        case WM_SETCURSOR: return on_set_cursor(hwnd, message, wparam, lparam);
        case WM_DPICHANGED: return on_dpi_changed(wparam, lparam);
        default: return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

HBRUSH make_skin_brush(int dpi) {
    HBRUSH skin = nullptr;
    if (HBITMAP bitmap = make_skin_bitmap(dpi)) {
        skin = CreatePatternBrush(bitmap);
        DeleteObject(bitmap);  // the brush keeps its own copy
    }
    // Without its skin the window still gets a background, so moved tiles leave no trails.
    return skin ? skin : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

bool register_window_class(HINSTANCE instance, int dpi) {
    // The skin follows before the window shows (Win32GameWindow::set_skin).
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    window_class.hIconSm = load_small_icon(dpi);
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    window_class.lpszClassName = CLASS_NAME;
    return RegisterClassExA(&window_class) != 0;
}

HWND create_main_window(HINSTANCE instance, int dpi) {
    // Deliberately not centred: the game has always used 420 and 190 here.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - scaled(420, dpi);
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - scaled(190, dpi);
    return CreateWindowExA(0, CLASS_NAME, WINDOW_TITLE, WS_POPUP | WS_SYSMENU, x, y, scaled(MAIN_WINDOW_WIDTH, dpi),
                           scaled(MAIN_WINDOW_HEIGHT, dpi), nullptr, nullptr, instance, nullptr);
}

void Win32GameWindow::set_skin(HBRUSH skin) {
    HBRUSH replaced =
        reinterpret_cast<HBRUSH>(SetClassLongPtrA(main, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(skin)));
    if (replaced && replaced != skin) DeleteObject(replaced);  // a stock brush ignores it
}

void Win32GameWindow::place_tile(int tile, Point position) {
    if (tile < 1 || tile > 15 || !tile_handles[tile]) return;
    tile_at[tile] = position;
    const ScaledRect r = scaled_rect(position.x, position.y, TILE_SIZE, TILE_SIZE, dpi);
    MoveWindow(tile_handles[tile], r.x, r.y, r.width, r.height, TRUE);
    // The main window has no WS_CLIPCHILDREN, so its erase of the cell a tile just left
    // would paint over a tile that is placed there next and already drawn. Painting
    // now, the window first and then the tile, keeps every slide of two or three tiles whole.
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32GameWindow::show_hint(int tile) {
    // The tile that loses the frame and the one that gets it are drawn again now.
    for (const int t : {hinted_tile, tile})
        if (t >= 1 && t <= 15 && tile_handles[t]) RedrawWindow(tile_handles[t], nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    hinted_tile = tile;
}

void Win32GameWindow::find_hint(const Cells& cells) {
    if (!hints) return;
    hints->search(cells);
    searching_ = true;
    searching_for_ = cells;
    // Its own callback: the clock's WM_TIMER stays the window's only timer message.
    SetTimer(main, HINT_CURSOR_TIMER_ID, HINT_CURSOR_DELAY_MS, on_search_taking_long);
}

void Win32GameWindow::abandon_hint() {
    if (hints) hints->abandon();
    end_search();
}

void Win32GameWindow::hint_answered(const Cells& asked) {
    if (searching_ && asked == searching_for_) end_search();
}

void Win32GameWindow::end_search() {
    searching_ = false;
    KillTimer(main, HINT_CURSOR_TIMER_ID);
    show_busy_pointer(false);
}

void Win32GameWindow::show_busy_pointer(bool busy) {
    if (busy_pointer_ == busy) return;
    busy_pointer_ = busy;
    // The pointer changes where it stands, without waiting for the mouse to move.
    if (pointer_over(main)) SetCursor(LoadCursorA(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
}

void Win32GameWindow::set_text(int control_id, const std::string& text) {
    SetDlgItemTextA(main, control_id, text.c_str());
}

void Win32GameWindow::show_control(int control_id, bool visible) {
    ShowWindow(GetDlgItem(main, control_id), visible ? SW_SHOW : SW_HIDE);
}

void Win32GameWindow::start_clock() { SetTimer(main, CLOCK_TIMER_ID, CLOCK_INTERVAL_MS, nullptr); }

void Win32GameWindow::stop_clock() { KillTimer(main, CLOCK_TIMER_ID); }

void Win32GameWindow::play_sound(int wave_id) { ::play_sound(wave_id); }

void Win32GameWindow::beep() { MessageBeep(0); }

void Win32GameWindow::repaint_window() {
    InvalidateRect(main, nullptr, FALSE);
    UpdateWindow(main);
}

void Win32GameWindow::minimize_window() { ShowWindow(main, SW_MINIMIZE); }

void Win32GameWindow::destroy_window() { DestroyWindow(main); }

void Win32GameWindow::begin_window_drag(int x, int y) {
    SendMessageA(main, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(scaled(x, dpi), scaled(y, dpi)));
}

bool Win32GameWindow::open_help(const std::string& path) {
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

void Win32GameWindow::show_message(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

bool Win32GameWindow::choose_picture(const std::string& initial_folder, std::string& chosen_path) {
    std::vector<char> file(PICTURE_PATH_CHARS, '\0');  // no name proposed
    OPENFILENAMEA dialog{};
    // 88 bytes on 32-bit Windows, as the game always passed; the 64-bit record is larger.
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = main;
    dialog.lpstrFilter = PICTURE_FILTER;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = PICTURE_PATH_CHARS;
    dialog.lpstrInitialDir = initial_folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = "";
    // The dialog moves the process into the folder the player browsed to
    // (OFN_NOCHANGEDIR does not stop it), which would keep a USB stick busy.
    char current_folder[MAX_PATH] = {};
    const DWORD kept = GetCurrentDirectoryA(sizeof current_folder, current_folder);
    const BOOL chosen = GetOpenFileNameA(&dialog);
    if (kept > 0 && kept < sizeof current_folder) SetCurrentDirectoryA(current_folder);
    if (!chosen) return false;
    file.back() = '\0';
    chosen_path = file.data();
    return true;
}

PngResult Win32GameWindow::import_png(const std::string& png, const std::string& bmp) {
    const PngResult converted = convert_png_to_bmp(png, bmp);
    forget_tile_picture();  // the tiles may be cut from the file just written
    return converted;
}

bool Win32GameWindow::load_preview(const std::string& path) {
    HBITMAP shown = nullptr;
    HBITMAP loaded = load_picture(path, scaled(PREVIEW_PICTURE_SIZE, dpi), dpi != BASE_DPI ? &shown : nullptr);
    HBITMAP replaced_bitmap = nullptr, replaced_shown = nullptr;
    if (loaded) {
        replaced_bitmap = preview_bitmap;
        replaced_shown = preview_shown;
        preview_bitmap = loaded;
        preview_shown = shown;
        preview_source = path;
    }
    show_preview(replaced_bitmap, replaced_shown);
    return loaded != nullptr;
}

void Win32GameWindow::show_preview(HBITMAP replaced_bitmap, HBITMAP replaced_shown) {
    HBITMAP image = preview_shown ? preview_shown : preview_bitmap;
    HBITMAP before =
        reinterpret_cast<HBITMAP>(SendMessageA(preview, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)));
    // Nothing reads the replaced pictures any more, nor a copy the panel made of one.
    for (HBITMAP old : {replaced_bitmap, replaced_shown})
        if (old && old != preview_bitmap && old != preview_shown) DeleteObject(old);
    if (before && before != image && before != replaced_bitmap && before != replaced_shown && before != preview_bitmap)
        DeleteObject(before);
}

bool Win32GameWindow::save_preview_snapshot(const std::string& path) {
    // The file holds the panel as it is at 100 %, whatever the scale.
    bool saved = false;
    if (dpi == BASE_DPI) {
        saved = save_window_snapshot(preview, path);
    } else {
        // A bitmap panel takes its picture's size; without one it keeps its own.
        BITMAP size{};
        const ControlRow& panel = *control_row(ID_PREVIEW);
        const bool has_picture = preview_bitmap && GetObjectA(preview_bitmap, sizeof size, &size);
        const PanelAt100 at_100{preview_bitmap, has_picture ? int(size.bmWidth) : panel.width,
                                has_picture ? int(size.bmHeight) : panel.height};
        saved = save_window_snapshot(preview, path, &at_100);
    }
    forget_tile_picture();  // it becomes the tiles' picture, or was already
    return saved;
}
