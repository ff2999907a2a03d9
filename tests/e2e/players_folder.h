// The player's own folders, where the game keeps what its program folder does
// not take, and the suite's promise to leave them as it found them: a tester
// who also plays Tessary keeps every record.
#pragma once

#include <string>

namespace e2e {

// %LOCALAPPDATA%\ as the game finds it, ending in a backslash; empty when none.
std::string players_own_folder();
// %TEMP%\, the game's folder of last resort.
std::string players_temporary_folder();

// The place the game keeps the record and the current picture of a program
// folder (no trailing backslash) in, when it keeps them in own_folder.
std::string players_place(const std::string& program_folder, const std::string& own_folder = players_own_folder());

// Before the first case: copies the game's folders in both (Tessary\) aside,
// after putting back what a run that was killed left aside. After the last
// case, and at Ctrl+C: puts them back as they were, byte for byte, and removes
// whatever the cases added. False, with nothing changed, when no copy could be made.
bool keep_players_folders();
void restore_players_folders();

}  // namespace e2e
