// The open-file dialog and message boxes, driven by posted messages.
#include "dialog.h"

#include <tlhelp32.h>

#include <set>

#include "check.h"
#include "game_ids.h"
#include "pictures.h"

namespace e2e {
namespace {

// Wine's open-file dialog: the file-name box (a ComboBoxEx with an inner Edit of the same id).
const int FILE_NAME_BOX = 0x47c;
// A message box's text control.
const int MESSAGE_TEXT = 0xFFFF;

std::string window_text(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

// After the file dialog: a message box if the program shows one, closed with OK.
void finish(App& app, LoadOutcome& outcome) {
    app.settle();
    // A message box would be up by now: the program handles the sent messages
    // of settle() only in the box's own loop or after the command is done.
    if (HWND box = app.find_dialog(200)) {
        outcome.box_shown = true;
        char text[512] = {};
        GetDlgItemTextA(box, MESSAGE_TEXT, text, sizeof text);
        outcome.box_text = text;
        outcome.box_caption = window_text(box);
        press(box, IDOK);
        wait_closed(box, 5000);
        app.settle();
    }
}

LoadOutcome run_dialog(App& app, const std::string* name) {
    LoadOutcome outcome;
    app.post_click(700);  // LOAD PIC
    HWND dialog = app.find_dialog(5000);
    if (!dialog) return outcome;
    outcome.dialog_shown = true;
    if (name) {
        SetDlgItemTextA(dialog, FILE_NAME_BOX, name->c_str());
        press(dialog, IDOK);
    } else {
        press(dialog, IDCANCEL);
    }
    outcome.dialog_closed = wait_closed(dialog, 5000);
    if (!outcome.dialog_closed) {
        // "File does not exist" or similar: close what is open so the next case starts clean.
        for (int i = 0; i < 3; ++i) {
            HWND other = app.find_dialog(100);
            if (!other) break;
            press(other, other == dialog ? IDCANCEL : IDOK);
            Sleep(200);
        }
        if (IsWindow(dialog)) press(dialog, IDCANCEL);
        wait_closed(dialog, 3000);
        app.settle();
        return outcome;
    }
    finish(app, outcome);
    return outcome;
}

}  // namespace

void press(HWND dialog, int button_id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED), LPARAM(GetDlgItem(dialog, button_id)));
}

bool wait_closed(HWND window, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeout_ms) return false;
        Sleep(20);
    }
    return true;
}

LoadOutcome load_pic(App& app, const std::string& name) { return run_dialog(app, &name); }

LoadOutcome load_pic_cancelled(App& app) { return run_dialog(app, nullptr); }

std::string picture_folder(const App& app) { return app.folder() + "\\BmpImages\\"; }

std::string current_picture_path(const App& app) { return picture_folder(app) + "game_image00.bmp"; }

bool capture_preview(const App& app, Image& image) {
    app.settle();
    // Cut from a capture of the main window: a copy from the child's own DC gives nothing under Wine.
    Image window;
    const ClientRect panel = app.rect(PREVIEW);
    if (!capture_client(app.window(), window) || panel.width <= 0 || panel.height <= 0 || panel.x < 0 ||
        panel.y < 0 || panel.x + panel.width > window.width || panel.y + panel.height > window.height)
        return false;
    image.width = panel.width;
    image.height = panel.height;
    image.pixels.resize(std::size_t(panel.width) * panel.height);
    for (int y = 0; y < panel.height; ++y)
        for (int x = 0; x < panel.width; ++x)
            image.pixels[std::size_t(y) * panel.width + x] =
                window.pixels[std::size_t(panel.y + y) * window.width + panel.x + x];
    return true;
}

void scramble_board(App& app) {
    app.click(NEW_GAME);
    app.click(CANCEL);
}

bool check_snapshot_file(const App& app, Image& picture, const std::string& when) {
    std::string bytes;
    const bool read = read_file(current_picture_path(app), bytes);
    CHECK_EQ_AT(read, true, when);
    CHECK_EQ_AT(bytes.size(), std::size_t(110646), when);
    CHECK_EQ_AT(bytes.substr(0, 54) == snapshot_header(192, 192), true, when + ": snapshot header");
    const bool decoded = read_bmp(current_picture_path(app), picture);
    CHECK_EQ_AT(decoded && picture.width == 192 && picture.height == 192, true, when + ": 192 x 192 pixels");
    return read && bytes.size() == 110646 && decoded && picture.width == 192 && picture.height == 192;
}

bool responsive(const App& app, DWORD timeout_ms) {
    if (!app.process() || WaitForSingleObject(app.process(), 0) == WAIT_OBJECT_0) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(app.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout_ms, &result) != 0;
}

namespace {

// Process identifiers of every process Wine runs in this prefix, by name.
std::set<DWORD> processes_named(const char* name) {
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name) == 0) found.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return found;
}

}  // namespace

HelpOutcome press_help(App& app) {
    const std::set<DWORD> before = processes_named("hh.exe");
    app.post_click(HELP);
    DWORD viewer = 0;
    HWND box = nullptr;
    for (int i = 0; i < 50 && !viewer && !box; ++i) {
        for (DWORD pid : processes_named("hh.exe"))
            if (!before.count(pid)) viewer = pid;
        box = app.find_dialog(200);
    }
    if (!box) box = app.find_dialog(300);  // a box would come at once, never after a viewer
    HelpOutcome outcome;
    outcome.viewer_started = viewer != 0;
    if (box) {
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        outcome.box_text = text;
        press(box, IDOK);
        wait_closed(box, 5000);
    }
    // Only the viewer this call started is ended.
    if (HANDLE process = viewer ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer) : nullptr) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 3000);
        CloseHandle(process);
    }
    return outcome;
}

}  // namespace e2e
