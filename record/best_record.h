// The best record: the fastest finished game and its moves, kept in
// "stats.txt" beside the program.
//
// The file is one ASCII line: minutes, seconds, moves. The game writes it as
// "59 59 998" when it first creates it, and as "3 07 120 " (two-digit seconds,
// trailing space) for a record. Only the time is compared; the moves of the
// fastest game are kept with it, deliberately, even when other games took fewer.
#pragma once

#include "files/files.h"

#include <optional>
#include <string>
#include <vector>

// The record as the game holds it between start-up and the end of each game.
struct BestRecord {
    std::string stats_path;
    // Filled from the file at a game's end, then overwritten with that game's values.
    int record_minutes = 0;
    int record_seconds = 0;
    int record_moves = 0;
    // 1 once a record has really been written, 0 after a successful reload.
    int record_written = 0;
};

// The content that a freshly created record file holds.
inline constexpr char INITIAL_RECORD[] = "59 59 998";
inline constexpr int INITIAL_MINUTES = 59;
inline constexpr int INITIAL_SECONDS = 59;
inline constexpr int INITIAL_MOVES = 998;

// The three fields of a well-formed record file: as stored, and as numbers.
struct RecordFields {
    std::string minutes_text, seconds_text, moves_text;
    int minutes = 0, seconds = 0, moves = 0;
};
// Three unsigned decimal fields separated by white space, minutes and seconds
// within 0..59; whatever follows the third field is ignored. Empty otherwise.
std::optional<RecordFields> parse_record(const std::string& content);

// What start-up shows of the record, and whether it creates the file.
struct StartUpRecord {
    std::string best_time_text;   // e.g. "3:07", the fields as stored
    std::string best_moves_text;  // e.g. "120"
    bool create_initial = false;
};
// The decision alone, from what reading the file gave: a well-formed file shows
// its fields; anything else shows "0:00" and "0". Only a file that does not exist
// yet is created with the initial record: one that is there but unreadable or
// malformed is left for the player to inspect.
StartUpRecord start_up_record(FileStatus read, const std::string& content);

// Start-up: reads the file, creates it when missing, and gives the texts to show.
StartUpRecord read_best_record(const BestRecord& record);

// The bytes of the fastest well-formed record file among paths, as stored;
// empty when none is.
std::string fastest_record_file(const std::vector<std::string>& paths);

// Game end: fills the three numbers and clears record_written. False, with the
// numbers and the flag untouched, when the file is missing, unreadable or malformed.
bool reload_best_record(BestRecord& record);

// Writes the three numbers in the record shape. The old file is replaced only
// once the new one is complete; record_written tells whether that happened.
void write_best_record(BestRecord& record);

// The bytes write_best_record puts in the file.
std::string record_file_text(int minutes, int seconds, int moves);

// What record_step found; the end sound of tiles 12 and 15 depends on it.
struct RecordOutcome {
    int finishing_time = 0;   // seconds
    int best_time = 0;        // seconds, of the record compared against
    bool new_record = false;  // and written
};

// At the end of a solved game (or a magic square) by tile 12 or 15: compares
// the finishing time with the stored record; strictly faster wins and is
// written. A record that could not be written is no record. A record file that
// cannot be read is taken as the initial 59:59, so the game can still set one.
RecordOutcome record_step(BestRecord& record, int elapsed_minutes, int elapsed_seconds, int move_count);
