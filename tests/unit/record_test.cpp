// The best-record file on a real temporary folder: its exact bytes, the start-up
// texts, the comparison at a game's end and every way the file can fail.
#include "record/best_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

class RecordFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tessary-record-" + std::to_string(std::random_device{}()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        record.stats_path = (folder / "stats.txt").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void put(const std::string& bytes) { std::ofstream(record.stats_path, std::ios::binary) << bytes; }
    std::string bytes() const {
        std::ifstream in(record.stats_path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    RecordOutcome finish(int minutes, int seconds, int moves) { return record_step(record, minutes, seconds, moves); }

    fs::path folder;
    BestRecord record;
};

TEST_F(RecordFile, FirstStartCreatesTheInitialRecordAndShowsZeros) {
    StartUpRecord shown = read_best_record(record);
    EXPECT_EQ(bytes(), "59 59 998");
    EXPECT_EQ(shown.best_time_text, "0:00");
    EXPECT_EQ(shown.best_moves_text, "0");
    EXPECT_FALSE(fs::exists(temporary_path(record.stats_path)));

    shown = read_best_record(record);  // the next start
    EXPECT_EQ(shown.best_time_text, "59:59");
    EXPECT_EQ(shown.best_moves_text, "998");
}

// What start-up shows for each way the file can be, and which of them it creates.
TEST(StartUpRecord, OnlyAMissingFileIsCreatedAndOnlyAWellFormedOneIsShown) {
    struct Row { FileStatus read; const char* content; const char* time; const char* moves; bool create; };
    const Row rows[] = {
        {FileStatus::Ok, "3 07 120", "3:07", "120", false},
        {FileStatus::Ok, "3 07 120 ", "3:07", "120", false},
        {FileStatus::Ok, "03 07 0120", "03:07", "0120", false},  // as stored, zeros kept
        {FileStatus::Ok, "59 59 998", "59:59", "998", false},
        {FileStatus::Ok, "\t0 09\n7", "0:09", "7", false},
        {FileStatus::Missing, "", "0:00", "0", true},
        {FileStatus::Unreadable, "", "0:00", "0", false},
        {FileStatus::TooLarge, "", "0:00", "0", false},
    };
    for (const Row& r : rows) {
        const StartUpRecord shown = start_up_record(r.read, r.content);
        EXPECT_EQ(shown.best_time_text, r.time) << r.content;
        EXPECT_EQ(shown.best_moves_text, r.moves) << r.content;
        EXPECT_EQ(shown.create_initial, r.create) << r.content;
    }
    for (const char* malformed : {"", "abc", "3 07", "3 60 10", "60 00 1", "-1 05 3", "3 07 12x", "3 07 1234567890"}) {
        const StartUpRecord shown = start_up_record(FileStatus::Ok, malformed);
        EXPECT_EQ(shown.best_time_text, "0:00") << malformed;
        EXPECT_EQ(shown.best_moves_text, "0") << malformed;
        EXPECT_FALSE(shown.create_initial) << malformed;
    }
}

TEST_F(RecordFile, MalformedOrUnreadableFileAtStartUpIsLeftAsItIs) {
    put("3 60 10");
    EXPECT_EQ(read_best_record(record).best_time_text, "0:00");
    EXPECT_EQ(bytes(), "3 60 10");
    fs::remove(record.stats_path);
    fs::create_directory(record.stats_path);  // there, but no file to read
    EXPECT_EQ(read_best_record(record).best_time_text, "0:00");
    EXPECT_TRUE(fs::is_directory(record.stats_path));
}

TEST_F(RecordFile, HugeFilesAreReadOnlyAsFarAsARecordReaches) {
    put("3 07 120 " + std::string(4 << 20, ' '));
    EXPECT_EQ(read_best_record(record).best_time_text, "3:07");
    put(std::string(4 << 20, '7'));
    EXPECT_EQ(read_best_record(record).best_time_text, "0:00");
    // A record beyond the first 256 bytes is never reached: not shown, and not
    // the time a game is compared with.
    put(std::string(300, ' ') + "3 07 120 ");
    EXPECT_EQ(read_best_record(record).best_time_text, "0:00");
    EXPECT_TRUE(finish(4, 0, 12).new_record);
}

TEST(RecordShape, SecondsTakeTwoDigitsAndTheLineEndsWithASpace) {
    EXPECT_EQ(record_file_text(3, 7, 120), "3 07 120 ");
    EXPECT_EQ(record_file_text(12, 45, 87), "12 45 87 ");
    EXPECT_EQ(record_file_text(0, 10, 9), "0 10 9 ");
    EXPECT_EQ(record_file_text(0, 9, 5), "0 09 5 ");
}

TEST_F(RecordFile, FasterTimeIsARecordEqualIsNotAndMovesAreNeverCompared) {
    put(INITIAL_RECORD);
    RecordOutcome first = finish(2, 5, 40);
    EXPECT_TRUE(first.new_record);
    EXPECT_EQ(first.finishing_time, 125);
    EXPECT_EQ(first.best_time, 3599);
    EXPECT_EQ(bytes(), "2 05 40 ");
    EXPECT_EQ(record.record_written, 1);

    RecordOutcome equal = finish(2, 5, 10);
    EXPECT_FALSE(equal.new_record);
    EXPECT_EQ(equal.best_time, 125);
    EXPECT_EQ(record.record_written, 0);
    EXPECT_EQ(bytes(), "2 05 40 ");
    // The numbers hold the finished game, record or not.
    EXPECT_EQ(record.record_moves, 10);

    EXPECT_TRUE(finish(1, 59, 300).new_record);
    EXPECT_EQ(bytes(), "1 59 300 ");
}

TEST_F(RecordFile, AGameAt5959DoesNotBeatTheInitialRecord) {
    put(INITIAL_RECORD);
    EXPECT_FALSE(finish(59, 59, 5).new_record);
    EXPECT_EQ(bytes(), "59 59 998");
}

TEST_F(RecordFile, MissingDamagedOrUnreadableFileStillLetsAGameSetARecord) {
    // Compared with 59:59, as a freshly created file would be.
    for (const char* stored : {"", "junk", "3 75 10"}) {
        put(stored);
        record.record_minutes = record.record_seconds = 0;  // a 0:00 left over would never be beaten
        EXPECT_TRUE(finish(4, 0, 12).new_record) << stored;
        EXPECT_EQ(bytes(), "4 00 12 ");
    }
    fs::remove(record.stats_path);
    EXPECT_TRUE(finish(5, 0, 12).new_record);
    EXPECT_EQ(bytes(), "5 00 12 ");
}

TEST_F(RecordFile, FailedWriteKeepsTheOldFileAndIsNoRecord) {
    put("3 07 120 ");
    fs::permissions(record.stats_path, fs::perms::owner_write, fs::perm_options::remove);  // read-only
    record.record_written = 1;  // left over from an earlier record
    const RecordOutcome outcome = finish(1, 0, 5);
    EXPECT_FALSE(outcome.new_record);
    EXPECT_EQ(record.record_written, 0);
    EXPECT_EQ(bytes(), "3 07 120 ");
}

TEST_F(RecordFile, FailedReplaceLeavesNoTemporaryFileBehind) {
    fs::create_directories(fs::path(record.stats_path) / "keep");  // cannot be renamed over
    const RecordOutcome outcome = finish(1, 0, 5);
    EXPECT_FALSE(outcome.new_record);
    EXPECT_EQ(record.record_written, 0);
    EXPECT_FALSE(fs::exists(temporary_path(record.stats_path)));
    EXPECT_TRUE(fs::is_directory(record.stats_path));
}

TEST_F(RecordFile, TwoCopiesSavingAtOnceNeverLoseARecord) {
    const pid_t other = fork();
    int lost = 0;
    for (int i = 0; i < 300; ++i) lost += !replace_file(record.stats_path, other == 0 ? "1 00 1 " : "2 00 2 ");
    if (other == 0) _exit(lost);
    int status = 0;
    ASSERT_EQ(waitpid(other, &status, 0), other);
    EXPECT_EQ(lost + WEXITSTATUS(status), 0);
    EXPECT_TRUE(bytes() == "1 00 1 " || bytes() == "2 00 2 ") << bytes();
}

TEST_F(RecordFile, MissingFolderMeansNothingIsWritten) {
    record.stats_path = (folder / "gone" / "stats.txt").string();
    EXPECT_EQ(read_best_record(record).best_time_text, "0:00");
    EXPECT_FALSE(fs::exists(folder / "gone"));
    EXPECT_FALSE(finish(1, 0, 5).new_record);
    EXPECT_EQ(record.record_written, 0);
}
