// Reading, comparing and rewriting the best record.
#include "record/best_record.h"

#include "sound/sounds.h"
#include "app/control_ids.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

// A record file is a few bytes; anything past this cannot belong to one.
constexpr std::size_t MAX_RECORD_BYTES = 256;
constexpr int MAX_FIELD_DIGITS = 9;  // keeps every field within int

enum class ReadResult { Read, Missing, Unreadable };

ReadResult read_record_file(const std::string& path, std::string& content) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno == ENOENT ? ReadResult::Missing : ReadResult::Unreadable;
    char buffer[MAX_RECORD_BYTES];
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return ReadResult::Unreadable;
    content.assign(buffer, got);
    return ReadResult::Read;
}

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

bool rename_over(const std::string& from, const std::string& to) {
    // std::filesystem::rename replaces an existing file on Windows too
    // (MoveFileExW with MOVEFILE_REPLACE_EXISTING); std::rename does not there.
    try {
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(from), std::filesystem::path(to), error);
        if (!error) return true;
    } catch (const std::exception&) {
        // A path the library cannot convert; the C runtime may still manage.
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
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

void read_best_record(BestRecord& record) {
    std::string content;
    const ReadResult result = read_record_file(record.stats_path, content);
    const std::optional<RecordFields> fields =
        result == ReadResult::Read ? parse_record(content) : std::nullopt;
    if (fields) {
        // Shown as stored: "07" stays "07".
        record.best_time_text = fields->minutes_text + ":" + fields->seconds_text;
        record.best_moves_text = fields->moves_text;
        return;
    }
    // Only a file that does not exist yet gets the initial record; one that is
    // there but unreadable or malformed is left for the player to inspect.
    if (result == ReadResult::Missing) replace_file_contents(record.stats_path, INITIAL_RECORD);
    record.best_time_text = "0:00";
    record.best_moves_text = "0";
}

bool reload_best_record(BestRecord& record) {
    std::string content;
    if (read_record_file(record.stats_path, content) != ReadResult::Read) return false;
    const std::optional<RecordFields> fields = parse_record(content);
    if (!fields) return false;
    record.record_minutes = fields->minutes;
    record.record_seconds = fields->seconds;
    record.record_moves = fields->moves;
    record.record_written = 0;
    return true;
}

std::string record_file_text(int minutes, int seconds, int moves) {
    std::ostringstream text;
    text << minutes << (seconds < 10 ? " 0" : " ") << seconds << " " << moves << " ";
    return text.str();
}

bool replace_file_contents(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed && rename_over(temporary, path)) return true;
    std::remove(temporary.c_str());
    return false;
}

void write_best_record(BestRecord& record) {
    const bool replaced = replace_file_contents(
        record.stats_path, record_file_text(record.record_minutes, record.record_seconds, record.record_moves));
    record.record_written = replaced ? 1 : 0;
}

std::string format_number(int value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string record_time_text(int minutes, int seconds) {
    return format_number(minutes) + (seconds < 10 ? ":0" : ":") + format_number(seconds);
}

RecordOutcome record_step(BestRecord& record, int elapsed_minutes, int elapsed_seconds, int move_count,
                          GameWindow& window) {
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
        // A record that could not be written is no record: the game ends like any other.
        if (record.record_written == 1) {
            outcome.new_record = true;
            window.play_sound(WAVE_NEW_RECORD);
            record.best_time_text = record_time_text(elapsed_minutes, elapsed_seconds);
            window.set_text(ID_BEST_TIME, record.best_time_text);
            record.best_moves_text = format_number(move_count);
            window.set_text(ID_LEAST_MOVES, record.best_moves_text);
        }
    }
    return outcome;
}
