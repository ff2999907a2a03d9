// Reading, comparing and rewriting the best record.
#include "record/best_record.h"

namespace {

// A record file is a few bytes; only its start is read, however long it is.
constexpr std::size_t MAX_RECORD_BYTES = 256;
constexpr int MAX_FIELD_DIGITS = 9;  // keeps every field within int

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The next white-space-separated field from pos; empty at the end.
std::string next_field(const std::string& content, std::size_t& pos) {
    while (pos < content.size() && is_space(content[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < content.size() && !is_space(content[pos])) ++pos;
    return content.substr(start, pos - start);
}

bool to_number(const std::string& field, int& value) {
    if (field.empty() || field.size() > MAX_FIELD_DIGITS) return false;
    value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// The record's fields when the file holds a well-formed one.
std::optional<RecordFields> read_fields(const std::string& stats_path) {
    std::string content;
    if (read_file_start(stats_path, MAX_RECORD_BYTES, content) != FileStatus::Ok) return std::nullopt;
    return parse_record(content);
}

}  // namespace

std::optional<RecordFields> parse_record(const std::string& content) {
    RecordFields fields;
    std::size_t pos = 0;
    fields.minutes_text = next_field(content, pos);
    fields.seconds_text = next_field(content, pos);
    fields.moves_text = next_field(content, pos);
    if (!to_number(fields.minutes_text, fields.minutes) || !to_number(fields.seconds_text, fields.seconds) ||
        !to_number(fields.moves_text, fields.moves))
        return std::nullopt;
    if (fields.minutes > 59 || fields.seconds > 59) return std::nullopt;
    return fields;
}

StartUpRecord start_up_record(FileStatus read, const std::string& content) {
    StartUpRecord shown;
    const std::optional<RecordFields> fields = read == FileStatus::Ok ? parse_record(content) : std::nullopt;
    if (fields) {
        // Shown as stored: "07" stays "07".
        shown.best_time_text = fields->minutes_text + ":" + fields->seconds_text;
        shown.best_moves_text = fields->moves_text;
        return shown;
    }
    shown.best_time_text = "0:00";
    shown.best_moves_text = "0";
    shown.create_initial = read == FileStatus::Missing;
    return shown;
}

StartUpRecord read_best_record(const BestRecord& record) {
    std::string content;
    const FileStatus read = read_file_start(record.stats_path, MAX_RECORD_BYTES, content);
    const StartUpRecord shown = start_up_record(read, content);
    if (shown.create_initial) replace_file(record.stats_path, INITIAL_RECORD);
    return shown;
}

std::string fastest_record_file(const std::vector<std::string>& paths) {
    std::string fastest;
    int fastest_time = 0;
    for (const std::string& path : paths) {
        std::string content;
        if (read_file_start(path, MAX_RECORD_BYTES, content) != FileStatus::Ok) continue;
        const std::optional<RecordFields> fields = parse_record(content);
        const int time = fields ? fields->minutes * 60 + fields->seconds : 0;
        if (fields && (fastest.empty() || time < fastest_time)) {
            fastest = content;
            fastest_time = time;
        }
    }
    return fastest;
}

bool reload_best_record(BestRecord& record) {
    const std::optional<RecordFields> fields = read_fields(record.stats_path);
    if (!fields) return false;
    record.record_minutes = fields->minutes;
    record.record_seconds = fields->seconds;
    record.record_moves = fields->moves;
    record.record_written = 0;
    return true;
}

std::string record_file_text(int minutes, int seconds, int moves) {
    return std::to_string(minutes) + (seconds < 10 ? " 0" : " ") + std::to_string(seconds) + " " +
           std::to_string(moves) + " ";
}

void write_best_record(BestRecord& record) {
    const bool replaced = replace_file(
        record.stats_path, record_file_text(record.record_minutes, record.record_seconds, record.record_moves));
    record.record_written = replaced ? 1 : 0;
}

RecordOutcome record_step(BestRecord& record, int elapsed_minutes, int elapsed_seconds, int move_count) {
    if (!reload_best_record(record)) {
        // Compare with the record a freshly created file would hold, so a lost or
        // damaged file does not lock every later game out of a record.
        record.record_minutes = INITIAL_MINUTES;
        record.record_seconds = INITIAL_SECONDS;
        record.record_moves = INITIAL_MOVES;
        record.record_written = 0;
    }
    RecordOutcome outcome;
    outcome.finishing_time = elapsed_minutes * 60 + elapsed_seconds;
    outcome.best_time = record.record_minutes * 60 + record.record_seconds;

    // Overwritten whether or not this game sets a record.
    record.record_minutes = elapsed_minutes;
    record.record_seconds = elapsed_seconds;
    record.record_moves = move_count;

    if (outcome.finishing_time < outcome.best_time) {
        write_best_record(record);
        outcome.new_record = record.record_written == 1;
    }
    return outcome;
}
