// Tessary.exe started on its own, as Explorer runs it when it is double-clicked
// inside the zip: one box says why the pictures are missing, then the game starts.
#include "app.h"
#include "check.h"
#include "game_ids.h"
#include "start_box.h"

namespace e2e {
namespace {

const char NO_PICTURES_TEXT[] =
    "Tessary cannot find its pictures (BmpImages\\PuzNumbs.bmp).\n\n"
    "Unpack the whole zip into a folder, then start Tessary.exe from that folder.";

E2E_CASE("missing pictures", "Tessary.exe alone in a folder says why its pictures are missing, and after OK the window") {
    const std::string folder = make_scratch_folder("-alone");
    remove_folder(folder + "\\BmpImages");
    DeleteFileA((folder + "\\tessary-help.chm").c_str());
    DeleteFileA((folder + "\\ReadMe.txt").c_str());
    REQUIRE(GetFileAttributesA((folder + "\\BmpImages").c_str()) == INVALID_FILE_ATTRIBUTES);

    StartBox box;
    App app(folder);
    const StartBox::Seen& seen = box.result();
    CHECK(seen.shown);
    CHECK_EQ(seen.process, GetProcessId(app.process()));
    CHECK_EQ(seen.text, std::string(NO_PICTURES_TEXT));
    CHECK_EQ(seen.caption, std::string("Tessary"));
    CHECK(!seen.owned);
    CHECK(seen.icon);
    CHECK(seen.ok_only);
    CHECK(!seen.window_before);

    // Then the game as usual, without pictures.
    REQUIRE(app.running_window());
    app.click(NEW_GAME);
    CHECK_EQ(app.text(RESULT), std::string(" "));
    CHECK_EQ(app.close_and_wait(), DWORD(0));
}

}  // namespace
}  // namespace e2e
