// Where the written files go, on real folders: the choice for each failure, the
// record a first run in the player's place starts from, and one place per install.
// A folder or file without write permission stands for one Windows refuses to write.
#include "app/game_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class WrittenFiles : public ::testing::Test {
protected:
    WrittenFiles() : root(fs::temp_directory_path() / ("tessary-paths-" + std::to_string(std::random_device{}()))) {
        for (const char* folder : {"prog", "own0", "own1"}) fs::create_directories(root / folder);
        put("prog/BmpImages\\PuzNumbs.bmp", "numbers");
    }
    ~WrittenFiles() override {
        fs::permissions(root / "prog", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }
    // name: a full path, or one under root.
    void put(const std::string& name, const std::string& bytes) {
        std::ofstream(fs::path(name).is_absolute() ? fs::path(name) : root / name, std::ios::binary) << bytes;
    }
    static std::string got(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return in ? all.str() : "(none)";
    }
    static void read_only(const fs::path& path) {
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
    }
    std::string own(const char* name) const { return (root / name).string() + "/"; }
    std::string place(const char* name) const { return install_place(own(name), (root / "prog").string() + "/"); }
    GamePaths paths(std::vector<std::string> own_folders) const {
        return make_paths((root / "prog" / "Tessary.exe").string(), std::move(own_folders));
    }

    fs::path root;
};

TEST_F(WrittenFiles, EachFailureSendsTheWrittenFilesWhereTheyCanBeWritten) {
    struct Row { const char* what; bool folder_read_only, picture_read_only; std::vector<std::string> own;
                 const char* record_in; const char* picture_in; bool can_save; };
    const std::string missing = own("gone");
    const Row rows[] = {
        {"writable folder", false, false, {own("own0")}, "", "", true},
        {"read-only folder", true, false, {own("own0"), own("own1")}, "own0", "own0", true},
        {"first own folder missing", true, false, {missing, own("own1")}, "own1", "own1", true},
        {"nothing writable", true, false, {missing}, "", "", false},
        {"read-only current picture", false, true, {own("own0")}, "", "own0", true},
    };
    for (const Row& r : rows) {
        put("prog/BmpImages\\game_image00.bmp", "old picture");
        if (r.picture_read_only) read_only(root / "prog/BmpImages\\game_image00.bmp");
        if (r.folder_read_only) read_only(root / "prog");
        GamePaths p = paths(r.own);
        EXPECT_EQ(place_written_files(p), r.can_save) << r.what;
        const std::string record_folder = *r.record_in ? place(r.record_in) : (root / "prog").string() + "/";
        EXPECT_EQ(p.stats_path, record_folder + "stats.txt") << r.what;
        const std::string picture = *r.picture_in ? place(r.picture_in) + "game_image00.bmp"
                                                  : (root / "prog/BmpImages\\game_image00.bmp").string();
        EXPECT_EQ(p.current_picture_path, picture) << r.what;
        if (r.can_save) {
            EXPECT_EQ(got(picture), "numbers") << r.what;
        }
        fs::permissions(root / "prog", fs::perms::owner_all, fs::perm_options::add);
        fs::remove(root / "prog/BmpImages\\game_image00.bmp");
        for (const char* o : {"own0", "own1"}) {
            fs::remove_all(root / o);
            fs::create_directories(root / o);
        }
    }
}

TEST_F(WrittenFiles, AFirstRunInThePlayersPlaceStartsFromTheFasterRecordFoundAndTouchesNeither) {
    struct Row { const char* beside; const char* older; const char* starts_with; };
    const Row rows[] = {
        {"3 07 120 ", nullptr, "3 07 120 "},
        {"3 07 120 ", "2 00 5 ", "2 00 5 "},  // kept for every install by older versions
        {"1 00 9 ", "2 00 5 ", "1 00 9 "},
        {"not a record", nullptr, "(none)"},
    };
    for (const Row& r : rows) {
        put("prog/stats.txt", r.beside);
        if (r.older) {
            fs::create_directories(root / "own0/Tessary\\");
            put("own0/Tessary\\stats.txt", r.older);
        }
        read_only(root / "prog");
        GamePaths p = paths({own("own0")});
        ASSERT_TRUE(place_written_files(p));
        EXPECT_EQ(got(p.stats_path), r.starts_with) << r.beside;
        EXPECT_EQ(got((root / "prog/stats.txt").string()), r.beside);
        if (r.older) {
            EXPECT_EQ(got(own("own0") + "Tessary\\stats.txt"), r.older);
        }
        // A later run finds it there, also once the folder can be written again.
        fs::permissions(root / "prog", fs::perms::owner_all, fs::perm_options::add);
        put(place("own0") + "stats.txt", "0 59 7 ");
        p = paths({own("own0")});
        place_written_files(p);
        EXPECT_EQ(got(p.stats_path), "0 59 7 ") << r.beside;
        fs::remove_all(root / "own0");
        fs::create_directories(root / "own0");
    }
}

TEST(InstallPlace, EachProgramFolderHasItsOwnWhateverItsCase) {
    const std::string x86 = install_place("C:\\L\\", "C:\\Program Files (x86)\\Tessary\\");
    EXPECT_NE(x86, install_place("C:\\L\\", "C:\\Program Files\\Tessary\\"));
    EXPECT_EQ(x86, install_place("C:\\L\\", "c:\\program files (x86)\\TESSARY\\"));
    EXPECT_EQ(x86.rfind("C:\\L\\Tessary\\", 0), 0u);
}

}  // namespace
