// The program file as Windows describes it: the version and the names shown
// under Properties, Details, read the way Explorer reads them.
#include <windows.h>

#include <vector>

#include "app.h"
#include "check.h"

namespace e2e {
namespace {

// The version painted on the window's skin.
const WORD VERSION[4] = {1, 0, 2, 4};
const char VERSION_TEXT[] = "1.0.2.4";

E2E_CASE("package", "Tessary.exe carries version 1.0.2.4, its description and names in US English") {
    const std::string exe = dist_folder() + "\\Tessary.exe";
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &unused);
    REQUIRE(size > 0);
    std::vector<char> info(size);
    REQUIRE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    REQUIRE(VerQueryValueA(info.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const DWORD high = MAKELONG(VERSION[1], VERSION[0]), low = MAKELONG(VERSION[3], VERSION[2]);
    CHECK_EQ(hex(fixed->dwFileVersionMS), hex(high));
    CHECK_EQ(hex(fixed->dwFileVersionLS), hex(low));
    CHECK_EQ(hex(fixed->dwProductVersionMS), hex(high));
    CHECK_EQ(hex(fixed->dwProductVersionLS), hex(low));
    CHECK_EQ(hex(fixed->dwFileType), hex(VFT_APP));

    // Explorer looks the strings up under the language and code page listed here.
    REQUIRE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= 4);
    const WORD* translation = static_cast<const WORD*>(value);
    CHECK_EQ(hex(translation[0]), hex(0x0409));
    CHECK_EQ(translation[1], WORD(1252));

    const struct {
        const char* name;
        const char* expected;  // nullptr: any text that is not empty
    } strings[] = {
        {"FileDescription", "Tessary"},   {"ProductName", "Tessary"},
        {"InternalName", "Tessary"},      {"OriginalFilename", "Tessary.exe"},
        {"FileVersion", VERSION_TEXT},    {"ProductVersion", VERSION_TEXT},
        {"LegalCopyright", nullptr},
    };
    for (const auto& s : strings) {
        const std::string key = std::string("\\StringFileInfo\\040904E4\\") + s.name;
        std::string text;
        if (VerQueryValueA(info.data(), key.c_str(), &value, &length) && length > 0)
            text = static_cast<const char*>(value);
        if (s.expected) CHECK_EQ_AT(text, std::string(s.expected), s.name);
        else CHECK_EQ_AT(text.empty(), false, s.name);
    }
}

}  // namespace
}  // namespace e2e
