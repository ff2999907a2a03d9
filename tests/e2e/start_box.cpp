// Watching for the program's message box from a thread of the driver's own.
#include "start_box.h"

#include "app.h"
#include "dialog.h"

namespace e2e {
namespace {

// The icon and the text of a message box.
const int MESSAGE_ICON = 0x440;
const int MESSAGE_TEXT = 0xFFFF;

}  // namespace

StartBox::StartBox() { thread_ = CreateThread(nullptr, 0, &StartBox::watch, this, 0, nullptr); }

StartBox::~StartBox() { result(); }

const StartBox::Seen& StartBox::result() {
    if (thread_) {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return seen_;
}

DWORD WINAPI StartBox::watch(void* self) {
    StartBox& box = *static_cast<StartBox*>(self);
    const DWORD start = GetTickCount();
    while (!box.stop_ && GetTickCount() - start < 30000) {
        HWND found = FindWindowExA(nullptr, nullptr, "#32770", "Tessary");
        if (!found || !IsWindowVisible(found)) {
            Sleep(20);
            continue;
        }
        Seen& seen = box.seen_;
        seen.shown = true;
        GetWindowThreadProcessId(found, &seen.process);
        seen.window_before = find_main_window(seen.process) != nullptr;
        char text[512] = {};
        GetDlgItemTextA(found, MESSAGE_TEXT, text, sizeof text);
        seen.text = text;
        GetWindowTextA(found, text, sizeof text);
        seen.caption = text;
        seen.owned = GetWindow(found, GW_OWNER) != nullptr;
        HWND icon = GetDlgItem(found, MESSAGE_ICON);
        seen.icon = icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        seen.ok_only = GetDlgItem(found, IDOK) && !GetDlgItem(found, IDCANCEL) && !GetDlgItem(found, IDYES);
        press(found, IDOK);
        wait_closed(found, 5000);
        break;
    }
    return 0;
}

}  // namespace e2e
