// The reference program for the Wine driver: the least a Win32 program of the
// game's shape does. A 742 x 451 popup with fifteen owner-drawn 80 x 80 buttons
// that paint a plain colour; WM_COMMAND 1 slides button 15 into the empty cell
// (or back) and paints, as a tile click does. Started, repainted and clicked like the game.
#include <windows.h>

namespace {

HWND buttons[16];
bool moved = false;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == 1) {
                moved = !moved;
                MoveWindow(buttons[15], moved ? 273 : 192, 297, 80, 80, TRUE);
                RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    window_class.lpszClassName = "TessaryPerfTrivial";
    if (!RegisterClassExA(&window_class)) return 0;
    HWND main = CreateWindowExA(0, "TessaryPerfTrivial", "Trivial", WS_POPUP | WS_SYSMENU,
                                GetSystemMetrics(SM_CXSCREEN) / 2 - 420, GetSystemMetrics(SM_CYSCREEN) / 2 - 190,
                                742, 451, nullptr, nullptr, instance, nullptr);
    // Fifteen buttons on the game's cells; button 15 slides into the empty last cell.
    for (int t = 1; t <= 15; ++t)
        buttons[t] = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                     30 + 81 * ((t - 1) % 4), 54 + 81 * ((t - 1) / 4), 80,
                                     80, main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + t)), instance,
                                     nullptr);
    ShowWindow(main, show_command);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
