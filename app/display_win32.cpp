// The monitor's DPI and the fonts made for it; see display_win32.h.
#include "app/display_win32.h"

namespace {

// A stock font made for dpi; nullptr at the system's DPI, where the stock font itself serves.
HFONT stock_font_at(int stock, int dpi) {
    const int system = system_dpi();
    LOGFONTA font{};
    if (dpi == system || !GetObjectA(GetStockObject(stock), sizeof font, &font)) return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, dpi, system);
    font.lfWidth = MulDiv(font.lfWidth, dpi, system);
    return CreateFontIndirectA(&font);
}

}  // namespace

int system_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int window_dpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = dpi_for_window && window ? dpi_for_window(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : system_dpi();
}

TextFonts::~TextFonts() { release(); }

void TextFonts::release() {
    if (system_) DeleteObject(system_);
    if (gui_) DeleteObject(gui_);
    system_ = gui_ = nullptr;
}

void TextFonts::make_for(int dpi) {
    release();
    system_ = stock_font_at(SYSTEM_FONT, dpi);
    gui_ = stock_font_at(DEFAULT_GUI_FONT, dpi);
}
