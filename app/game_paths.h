// Where every file the game touches lies. The files it reads stay beside the
// program; the two it writes - the best record and the current picture - stay
// there too while that works, and otherwise go to a place of this program
// folder's own in the player's folder, for the rest of the run. Decided here
// alone, by what actually succeeds. Portable; the disk only through the file helper.
#pragma once

#include <string>
#include <vector>

struct GamePaths {
    std::string program_folder;  // ends in a backslash, or is empty
    std::string picture_folder;
    std::string stats_path;
    std::string number_picture_path;
    std::string current_picture_path;
    std::string help_path;
    // The player's own folders the written files may go to, best first, each
    // ending in a backslash: on Windows the local application data, then the
    // temporary folder. None in the tests that give none.
    std::vector<std::string> own_folders;
};

// Builds the paths from the program file's full path (cut after its last backslash or slash).
GamePaths make_paths(const std::string& module_path, std::vector<std::string> own_folders = {});

// This program folder's place in an own folder: "Tessary\" and eight hex digits
// of a hash of the folder's path, whatever its case. Two installs (the 32-bit and
// the 64-bit one) never share a place; two copies of one install do, as they
// share their files beside the program.
std::string install_place(const std::string& own_folder, const std::string& program_folder);

// Start-up: where the record and the current picture are kept this run, and the
// current picture made afresh from the number picture.
//  - A record this program folder kept in the player's place before stays there.
//  - A program folder that takes no new file sends both there; the first time,
//    the place starts from the faster of the record beside the program and the
//    one older versions kept for every install in the player's folder itself
//    (copied, the originals untouched).
//  - A current picture that cannot be written beside the program goes there.
// False when nothing can be written at all.
bool place_written_files(GamePaths& paths);

// After a write beside the program failed: the record, or the current picture,
// is kept in the player's place from now on. False when it is there already or
// no place can be had.
bool move_record(GamePaths& paths);
bool move_current_picture(GamePaths& paths);
