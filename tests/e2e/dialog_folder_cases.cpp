// The open dialog moves the process into the folder the player browsed to;
// the program moves back, so a USB stick it was browsed on can be ejected.
#include <windows.h>
#include <winternl.h>

#include <cstdio>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "pictures.h"

namespace e2e {
namespace {

// The current folder of another process, read from its process parameters as
// the system keeps them (for a 32-bit program under a 64-bit driver, from its
// 32-bit copy); "" when they cannot be read.
std::string current_folder_of(HANDLE process) {
    using Query = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    // Where the PEB keeps its process parameters, and they their CurrentDirectory.DosPath.
    struct Layout {
        ULONG parameters, length, buffer;
        SIZE_T pointer;
    };
    const Layout bits32{0x10, 0x24, 0x28, 4}, bits64{0x20, 0x38, 0x40, 8};
    ULONG_PTR peb = 0;
    Layout layout = sizeof(void*) == 4 ? bits32 : bits64;
    PROCESS_BASIC_INFORMATION basic{};
    if (!query) return "";
    if (query(process, 26 /* ProcessWow64Information */, &peb, sizeof peb, nullptr) == 0 && peb)
        layout = bits32;
    else if (query(process, 0 /* ProcessBasicInformation */, &basic, sizeof basic, nullptr) == 0)
        peb = reinterpret_cast<ULONG_PTR>(basic.PebBaseAddress);
    else
        return "";
    auto read = [&](ULONG_PTR at, void* into, SIZE_T size) {
        SIZE_T got = 0;
        return ReadProcessMemory(process, reinterpret_cast<const void*>(at), into, size, &got) && got == size;
    };
    ULONG_PTR parameters = 0, buffer = 0;
    USHORT length = 0;
    if (!read(peb + layout.parameters, &parameters, layout.pointer) ||
        !read(parameters + layout.length, &length, sizeof length) ||
        !read(parameters + layout.buffer, &buffer, layout.pointer))
        return "";
    std::wstring folder(length / 2, L'\0');
    if (!read(buffer, &folder[0], length)) return "";
    char ansi[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, folder.c_str(), int(folder.size()), ansi, sizeof ansi - 1, nullptr, nullptr);
    return ansi;
}

E2E_CASE("load pic", "after a picture from another folder the program's current folder is its own again") {
    App app(make_scratch_folder());
    REQUIRE(app.running_window());
    const std::string started_in = current_folder_of(app.process());
    std::printf("    current folder at start: %s\n", started_in.c_str());
    REQUIRE(lstrcmpiA(started_in.c_str(), (app.folder() + "\\").c_str()) == 0);

    const std::string elsewhere = make_scratch_folder("-stick");
    REQUIRE(write_block_bmp(elsewhere + "\\holiday.bmp", block_picture(64, 64, 8, 8, 61)));
    const LoadOutcome outcome = load_pic(app, elsewhere + "\\holiday.bmp");
    CHECK(outcome.dialog_closed && !outcome.box_shown);
    CHECK_EQ(current_folder_of(app.process()), started_in);
}

}  // namespace
}  // namespace e2e
