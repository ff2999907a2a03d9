// Any bytes as "stats.txt": reading the record never crashes, shows exactly
// what a well-formed file holds or the blank record, leaves an existing file
// as it is, and a record read back writes and re-reads to the same numbers.
#include "record/best_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

const std::string& stats_path() {
    static const std::string path = "/tmp/tessary_fuzz_stats_" + std::to_string(::getpid()) + ".txt";
    return path;
}

void put_file(const std::string& path, const std::string& content) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    check(f != nullptr);
    check(std::fwrite(content.data(), 1, content.size(), f) == content.size());
    check(std::fclose(f) == 0);
}

std::string file_content(const std::string& path) {
    std::string content;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    check(f != nullptr);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, got);
    std::fclose(f);
    return content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string& path = stats_path();
    put_file(path, content);

    // Start-up.
    BestRecord record;
    record.stats_path = path;
    const StartUpRecord shown = read_best_record(record);
    check(!shown.create_initial);
    check(file_content(path) == content);  // an existing file is never rewritten by reading it

    // Game end.
    BestRecord loaded;
    loaded.stats_path = path;
    loaded.record_written = 1;
    const bool reloaded = reload_best_record(loaded);

    const std::optional<RecordFields> fields = parse_record(content);
    if (reloaded) {
        check(loaded.record_written == 0);
        check(loaded.record_minutes >= 0 && loaded.record_minutes <= 59);
        check(loaded.record_seconds >= 0 && loaded.record_seconds <= 59);
        check(loaded.record_moves >= 0);
        check(shown.best_moves_text != "" && shown.best_time_text.find(':') != std::string::npos);

        // What the game would write for these numbers reads back the same.
        const std::string rewritten =
            record_file_text(loaded.record_minutes, loaded.record_seconds, loaded.record_moves);
        const std::optional<RecordFields> again = parse_record(rewritten);
        check(again.has_value());
        check(again->minutes == loaded.record_minutes && again->seconds == loaded.record_seconds &&
              again->moves == loaded.record_moves);
    } else {
        check(loaded.record_written == 1);  // untouched on failure
        check(shown.best_time_text == "0:00" && shown.best_moves_text == "0");
    }
    // A well-formed file of normal length shows exactly its fields.
    if (fields && size < 200) {
        check(reloaded);
        check(shown.best_time_text == fields->minutes_text + ":" + fields->seconds_text);
        check(shown.best_moves_text == fields->moves_text);
        check(loaded.record_minutes == fields->minutes && loaded.record_moves == fields->moves);
    }
    std::remove(path.c_str());
    return 0;
}
