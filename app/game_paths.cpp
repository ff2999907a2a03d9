// The paths of the game's files, and where the written ones go when the
// program folder does not take them.
#include "app/game_paths.h"

#include "files/files.h"
#include "record/best_record.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr char STATS_NAME[] = "stats.txt";
constexpr char CURRENT_PICTURE_NAME[] = "game_image00.bmp";
// The folder in each own folder that holds the places; older versions kept
// one record for every install directly in it.
constexpr char PLACES_FOLDER[] = "Tessary\\";

// FNV-1a over the path with its ASCII letters in small case, as Windows
// compares paths.
std::uint32_t folder_hash(const std::string& folder) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : folder) {
        hash ^= c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
        hash *= 16777619u;
    }
    return hash;
}

bool exists(const std::string& path) { return InputFile(path).status() != FileStatus::Missing; }

// The first place that can be made and written in, or empty.
std::string usable_place(const GamePaths& paths) {
    for (const std::string& own : paths.own_folders) {
        const std::string place = install_place(own, paths.program_folder);
        if (make_folder(own + PLACES_FOLDER) && make_folder(place) && can_create_files_in(place)) return place;
    }
    return std::string();
}

// Sends the written file at path, named name, to the player's place unless it is in one.
bool move_written_file(const GamePaths& paths, std::string& path, const char* name) {
    for (const std::string& own : paths.own_folders)
        if (path == install_place(own, paths.program_folder) + name) return false;
    const std::string place = usable_place(paths);
    if (place.empty()) return false;
    path = place + name;
    return true;
}

}  // namespace

GamePaths make_paths(const std::string& module_path, std::vector<std::string> own_folders) {
    GamePaths paths;
    // Windows takes either slash (and the native tests the forward one alone).
    const std::size_t last = module_path.find_last_of("\\/");
    // Without a backslash every file is looked up in the current folder.
    paths.program_folder = last == std::string::npos ? std::string() : module_path.substr(0, last + 1);
    paths.picture_folder = paths.program_folder + "BmpImages\\";
    paths.stats_path = paths.program_folder + STATS_NAME;
    paths.number_picture_path = paths.picture_folder + "PuzNumbs.bmp";
    paths.current_picture_path = paths.picture_folder + CURRENT_PICTURE_NAME;
    paths.help_path = paths.program_folder + "tessary-help.chm";
    paths.own_folders = std::move(own_folders);
    return paths;
}

std::string install_place(const std::string& own_folder, const std::string& program_folder) {
    char name[9];
    std::snprintf(name, sizeof name, "%08lx", static_cast<unsigned long>(folder_hash(program_folder)));
    return own_folder + PLACES_FOLDER + name + "\\";
}

bool place_written_files(GamePaths& paths) {
    for (const std::string& own : paths.own_folders) {
        const std::string kept = install_place(own, paths.program_folder) + STATS_NAME;
        if (exists(kept)) {
            // Once there, it stays: a folder that is only sometimes writable shows one record.
            paths.stats_path = kept;
            break;
        }
    }
    if (!can_create_files_in(paths.program_folder)) {
        const std::string place = usable_place(paths);
        if (place.empty()) return false;
        if (paths.stats_path == paths.program_folder + STATS_NAME) {
            std::vector<std::string> found = {paths.stats_path};
            for (const std::string& own : paths.own_folders) found.push_back(own + PLACES_FOLDER + STATS_NAME);
            paths.stats_path = place + STATS_NAME;
            const std::string record = fastest_record_file(found);
            if (!record.empty()) replace_file(paths.stats_path, record);
        }
        paths.current_picture_path = place + CURRENT_PICTURE_NAME;
    }
    // Every run starts with the number picture, whatever the last run imported.
    if (!copy_file(paths.number_picture_path, paths.current_picture_path) && exists(paths.number_picture_path) &&
        move_current_picture(paths))
        copy_file(paths.number_picture_path, paths.current_picture_path);
    return true;
}

bool move_record(GamePaths& paths) { return move_written_file(paths, paths.stats_path, STATS_NAME); }

bool move_current_picture(GamePaths& paths) {
    return move_written_file(paths, paths.current_picture_path, CURRENT_PICTURE_NAME);
}
