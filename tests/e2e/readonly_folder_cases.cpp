// The program where it cannot write as it always did: run from folders it may
// not write, as unpacked into Program Files, onto a CD or a read-only share,
// and from a folder whose files carry the read-only attribute. The record and
// the current picture then go where they can be written - a place of that
// program folder's own in the player's folder - and nothing is lost.
// The read-only folders come from the harness (TESSARY_E2E_READONLY, separated
// by ";"): root, as Wine runs here, writes anything, so tests/e2e/run.sh makes
// them for a plain user of its own, or read-only with a mount.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app.h"
#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "pictures.h"
#include "play.h"
#include "players_folder.h"
#include "start_box.h"

namespace e2e {
namespace {

// The read-only program folders the harness names, each without its own place yet.
std::vector<std::string> readonly_folders() {
    std::vector<std::string> folders;
    const char* given = std::getenv("TESSARY_E2E_READONLY");
    for (std::string rest = given ? given : ""; !rest.empty();) {
        const std::size_t end = rest.find(';');
        if (end != 0) folders.push_back(windows_path(rest.substr(0, end)));
        rest = end == std::string::npos ? "" : rest.substr(end + 1);
    }
    for (const std::string& folder : folders) remove_folder(players_place(folder));
    return folders;
}

bool can_create_file_in(const std::string& folder) {
    HANDLE file = CreateFileA((folder + "\\e2e-probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Gives every file in folder, and in the folders in it, the read-only attribute.
bool make_read_only(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = (name == "." || name == ".." || make_read_only(path)) && ok;
        else
            ok = SetFileAttributesA(path.c_str(), found.dwFileAttributes | FILE_ATTRIBUTE_READONLY) && ok;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return ok;
}

// The preview shows the number picture, as the picture loader makes it of the file.
void check_number_preview(const App& app, const std::string& when) {
    Image numbers, preview;
    REQUIRE(decode_like_program(picture_folder(app) + "PuzNumbs.bmp", numbers));
    CHECK_EQ_AT(capture_preview(app, preview) && image_difference(preview, numbers) <= 2, true,
                when + ": the preview shows the number picture");
}

// The window in front, every tile drawn afresh from the file the game cuts it from.
void redraw_in_front(const App& app) {
    SetWindowPos(app.window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(app.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    app.settle();
}

// LOAD PIC of the file at path: no box, and the preview and the tiles show the
// current picture at current_path, which it returns.
Image check_load(App& app, const std::string& path, const std::string& current_path) {
    const LoadOutcome outcome = load_pic(app, path);
    CHECK_EQ_AT(outcome.dialog_closed && outcome.box_text.empty(), true, path + ": loaded without a box");
    Image snapshot, preview;
    REQUIRE(read_bmp(current_path, snapshot) && snapshot.width == 192);
    CHECK(capture_preview(app, preview) && image_difference(preview, snapshot) <= 2);
    check_faces(app, snapshot, ("after LOAD PIC of " + path).c_str());
    return snapshot;
}

// A game played to Solved: the record it set, as the file holds it.
std::string solve_for_record(App& app) {
    app.click(NEW_GAME);
    for (int i = 0; i < 4; ++i) app.tick();
    const PlayResult played = play_to(app, ordered_cells());
    REQUIRE(played.reached);
    const int seconds = clock_seconds(app.text(TIME));
    CHECK_EQ(app.text(BEST_TIME), clock_text(seconds));
    return record_bytes(seconds, played.clicks);
}

void check_record_shown(const std::string& folder, const std::string& record) {
    App app(folder);
    REQUIRE(app.running_window());
    int minutes = 0, seconds = 0, moves = 0;
    std::sscanf(record.c_str(), "%d %d %d", &minutes, &seconds, &moves);
    CHECK_EQ(app.text(BEST_TIME), clock_text(minutes * 60 + seconds));
    CHECK_EQ(app.text(LEAST_MOVES), std::to_string(moves));
    check_number_preview(app, "after a restart");
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("folders", "from a read-only folder the preview shows the numbers, a record survives a restart, a PNG reaches the tiles") {
    const std::vector<std::string> folders = readonly_folders();
    if (folders.empty()) {
        std::printf("    skipped: no read-only program folder given (tests/e2e/run.sh makes one where it can)\n");
        return;
    }
    const std::string folder = folders[0];
    REQUIRE(!can_create_file_in(folder));
    REQUIRE(GetFileAttributesA((folder + "\\stats.txt").c_str()) == INVALID_FILE_ATTRIBUTES);
    const std::string place = players_place(folder);
    std::string record;
    {
        App app(folder);
        REQUIRE(app.running_window());
        check_number_preview(app, "at start");
        record = solve_for_record(app);
        std::string stats;
        CHECK(read_file(place + "\\stats.txt", stats));
        CHECK_EQ(stats, record);
        // A PNG from elsewhere, as the player browses to it.
        const BlockPicture picture = block_picture(90, 60, 8, 8, 51);
        const std::string png = make_scratch_folder("-pictures") + "\\blocks.png";
        REQUIRE(write_file(png, png_bytes(picture, PngKind::Rgb)));
        CHECK(block_centre_error(check_load(app, png, place + "\\game_image00.bmp"), picture) <= 6);
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    check_record_shown(folder, record);
}

// The player's local application data moved to another folder while it lives,
// as Windows names it to a program started meanwhile. Under Wine alone: it
// changes the user's own setting.
class LocalFolderMoved {
public:
    explicit LocalFolderMoved(const std::wstring& folder) {
        const wchar_t* const name = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
        REQUIRE(RegOpenKeyExW(HKEY_CURRENT_USER, name, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) == ERROR_SUCCESS);
        had_ = RegQueryValueExW(key_, VALUE, nullptr, nullptr, reinterpret_cast<BYTE*>(before_), &size_) == ERROR_SUCCESS;
        RegSetValueExW(key_, VALUE, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       DWORD((folder.size() + 1) * sizeof(wchar_t)));
    }
    ~LocalFolderMoved() {
        if (had_) RegSetValueExW(key_, VALUE, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(before_), size_);
        else RegDeleteValueW(key_, VALUE);
        RegCloseKey(key_);
    }
    LocalFolderMoved(const LocalFolderMoved&) = delete;
    LocalFolderMoved& operator=(const LocalFolderMoved&) = delete;

private:
    static constexpr const wchar_t* VALUE = L"Local AppData";
    HKEY key_ = nullptr;
    bool had_ = false;
    wchar_t before_[MAX_PATH] = {};
    DWORD size_ = sizeof before_;
};

std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

E2E_CASE("folders", "a player's folder with no ANSI name is used by its short name; where nothing can be written the game says so once") {
    const std::vector<std::string> folders = readonly_folders();
    if (folders.size() < 2 || platform_name().rfind("Wine", 0) != 0) {
        std::printf("    skipped: needs two read-only program folders, and Wine (it moves the player's folder)\n");
        return;
    }
    // Named in Chinese, as for a user of that name on a Western system (left for
    // the prefix to take away: the ANSI calls that remove scratch copies cannot name it).
    const std::wstring local = wide(make_scratch_folder("-local")) + L"\\\x674e\x660e";
    CreateDirectoryW(local.c_str(), nullptr);
    {
        LocalFolderMoved moved(local);
        App app(folders[0]);
        CHECK(app.running_window());
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    const std::wstring record = local + L"\\" + wide(players_place(folders[0], "")) + L"\\stats.txt";
    CHECK_EQ(GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES, true);

    // Every folder of the player's own is the second read-only install.
    LocalFolderMoved moved(wide(folders[1]));
    char temp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", temp, MAX_PATH);
    SetEnvironmentVariableA("TMP", folders[1].c_str());
    StartBox box;
    App app(folders[0]);
    SetEnvironmentVariableA("TMP", *temp ? temp : nullptr);
    const StartBox::Seen& seen = box.result();
    CHECK_EQ(seen.text, std::string("Tessary cannot save your best time or your pictures on this computer."));
    CHECK_EQ(seen.caption, std::string("Tessary"));
    CHECK(!seen.owned && seen.icon && seen.ok_only && !seen.window_before);
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

E2E_CASE("folders", "two read-only installs started at once each keep the picture loaded in them on their tiles") {
    const std::vector<std::string> folders = readonly_folders();
    if (folders.size() < 2) {
        std::printf("    skipped: two read-only program folders are needed (tests/e2e/run.sh makes them where it can)\n");
        return;
    }
    // What each picture becomes on the tiles, as a writable copy of the program shows it.
    const std::string pictures = make_scratch_folder("-pictures");
    const BlockPicture one = block_picture(90, 60, 8, 8, 61), other = block_picture(60, 90, 8, 8, 62);
    REQUIRE(write_block_bmp(pictures + "\\one.bmp", one) && write_block_bmp(pictures + "\\other.bmp", other));
    Image expected[2];
    {
        App reference(pictures);
        REQUIRE(reference.running_window());
        for (int i = 0; i < 2; ++i) {
            CHECK(load_pic(reference, pictures + (i == 0 ? "\\one.bmp" : "\\other.bmp")).box_text.empty());
            REQUIRE(check_snapshot_file(reference, expected[i], "reference"));
        }
    }
    App first(folders[0]);
    REQUIRE(first.running_window());
    CHECK(load_pic(first, pictures + "\\one.bmp").box_text.empty());
    // The second starts, which makes its current picture afresh, and loads a picture of its own.
    App second(folders[1]);
    REQUIRE(second.running_window());
    CHECK(load_pic(second, pictures + "\\other.bmp").box_text.empty());
    const App* apps[] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        redraw_in_front(*apps[i]);
        check_faces(*apps[i], expected[i], (folders[i] + ", with both running").c_str());
    }
}

E2E_CASE("folders", "with every file read-only, LOAD PIC of a JPEG and of a PNG reaches the tiles and a new record is kept") {
    const std::string folder = make_scratch_folder("-readonly-files");
    // A record beside the program, and every file read-only, as unpacked from some archives.
    REQUIRE(write_file(folder + "\\stats.txt", "59 59 998"));
    REQUIRE(make_read_only(folder));
    HANDLE through = CreateFileA((folder + "\\stats.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (through != INVALID_HANDLE_VALUE) {
        CloseHandle(through);
        std::printf("    skipped: this user writes through the read-only attribute (root under Wine)\n");
        return;
    }
    const std::string current = folder + "\\BmpImages\\game_image00.bmp";
    std::string record;
    {
        App app(folder);
        REQUIRE(app.running_window());
        check_number_preview(app, "at start");
        Image jpeg;
        REQUIRE(decode_like_program(folder + "\\BmpImages\\sunset.jpg", jpeg));
        CHECK(image_difference(check_load(app, folder + "\\BmpImages\\sunset.jpg", current), jpeg) <= 2);
        const BlockPicture picture = block_picture(90, 60, 8, 8, 52);
        REQUIRE(write_file(folder + "\\blocks.png", png_bytes(picture, PngKind::Rgb)));
        CHECK(block_centre_error(check_load(app, folder + "\\blocks.png", current), picture) <= 6);
        record = solve_for_record(app);
        CHECK_EQ(app.close_and_wait(), DWORD(0));
    }
    // The read-only record stays as it was; the new one is kept in the player's place.
    std::string beside, kept;
    CHECK(read_file(folder + "\\stats.txt", beside) && beside == "59 59 998");
    CHECK(read_file(players_place(folder) + "\\stats.txt", kept) && kept == record);
    check_record_shown(folder, record);
}

}  // namespace
}  // namespace e2e
