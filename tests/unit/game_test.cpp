// The controller through a recording window: the state machine, the clock,
// tile clicks with their end announcements and sounds, LOAD PIC, whole games.
#include "app/game.h"

#include "app/control_ids.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <queue>
#include <random>
#include <sstream>
#include <unordered_map>

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;
using Cells = std::array<int, 16>;  // cells 1..16

namespace {

const Cells ORDERED = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
const Cells EXCHANGED = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 0};

// Manhattan distance of every tile from its place in goal.
int distance(const Cells& cells, const Cells& goal) {
    int where[16];
    for (int k = 0; k < 16; ++k) where[goal[k]] = k;
    int sum = 0;
    for (int k = 0; k < 16; ++k)
        if (cells[k] != 0) sum += std::abs(k / 4 - where[cells[k]] / 4) + std::abs(k % 4 - where[cells[k]] % 4);
    return sum;
}

std::uint64_t key(const Cells& cells) {
    std::uint64_t k = 0;
    for (int v : cells) k = k << 4 | static_cast<std::uint64_t>(v);
    return k;
}

// Weighted A*: not the shortest solution, but found in milliseconds. Returns the
// tiles to click, each a neighbour of the empty cell.
std::vector<int> solve(const Cells& start, const Cells& goal) {
    struct Node { int f; int g; Cells cells; };
    auto later = [](const Node& a, const Node& b) { return a.f > b.f; };
    std::priority_queue<Node, std::vector<Node>, decltype(later)> open(later);
    std::unordered_map<std::uint64_t, std::pair<std::uint64_t, int>> came_from;  // parent, tile clicked
    open.push({0, 0, start});
    came_from[key(start)] = {0, 0};
    while (!open.empty()) {
        const Node node = open.top();
        open.pop();
        if (node.cells == goal) break;
        const int empty = static_cast<int>(std::find(node.cells.begin(), node.cells.end(), 0) - node.cells.begin());
        for (int step : {-4, 4, -1, 1}) {
            const int from = empty + step;
            if (from < 0 || from > 15 || (std::abs(step) == 1 && from / 4 != empty / 4)) continue;
            Cells next = node.cells;
            std::swap(next[empty], next[from]);
            if (!came_from.emplace(key(next), std::make_pair(key(node.cells), node.cells[from])).second) continue;
            open.push({node.g + 1 + 3 * distance(next, goal), node.g + 1, next});
        }
    }
    std::vector<int> clicks;
    for (std::uint64_t k = key(goal); k != key(start); k = came_from.at(k).first)
        clicks.push_back(came_from.at(k).second);
    std::reverse(clicks.begin(), clicks.end());
    return clicks;
}

// Solvable exactly when the permutation's parity matches the empty cell's distance from cell 16.
bool reaches_ordered(const Cells& cells) {
    int inversions = 0, empty = 0;
    for (int i = 0; i < 16; ++i) {
        if (cells[i] == 0) empty = i;
        for (int j = i + 1; j < 16; ++j)
            inversions += (cells[i] == 0 ? 16 : cells[i]) > (cells[j] == 0 ? 16 : cells[j]);
    }
    return inversions % 2 == (3 - empty / 4 + 3 - empty % 4) % 2;
}

}  // namespace

class GameTest : public ::testing::Test {
protected:
    GameTest()
        : folder(fs::temp_directory_path() / ("tessary-game-" + std::to_string(std::random_device{}()))),
          game(window, make_paths("C:\\Games\\Tessary\\tessary.exe")) {
        fs::create_directories(folder);
        game.record.stats_path = (folder / "stats.txt").string();
        game.deal.calendar_time = [] { return std::int64_t{1}; };
        game.png_converter = [this](const std::string& png, const std::string& bmp) {
            window.calls.push_back("convert " + png + " -> " + bmp);
            return png_converts;
        };
    }
    ~GameTest() override { fs::remove_all(folder); }

    void store(const std::string& bytes) { std::ofstream(game.record.stats_path, std::ios::binary) << bytes; }
    std::string stored() const {
        std::ifstream in(game.record.stats_path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    Cells cells() const {
        Cells c;
        std::copy(game.board.board_cells.begin() + 1, game.board.board_cells.end(), c.begin());
        return c;
    }
    void set_cells(const Cells& c) { std::copy(c.begin(), c.end(), game.board.board_cells.begin() + 1); }
    // A running game whose board is c, the window's log cleared.
    void running_with(const Cells& c) {
        game.new_game();
        set_cells(c);
        window.calls.clear();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) game.clock_tick();
    }

    fs::path folder;
    RecordingWindow window;
    Game game;
    bool png_converts = true;
};

TEST(Paths, EveryFileLiesBesideTheProgram) {
    const GamePaths p = make_paths("C:\\Games\\Tessary\\tessary.exe");
    EXPECT_EQ(p.program_folder, "C:\\Games\\Tessary\\");
    EXPECT_EQ(p.picture_folder, "C:\\Games\\Tessary\\BmpImages\\");
    EXPECT_EQ(p.stats_path, "C:\\Games\\Tessary\\stats.txt");
    EXPECT_EQ(p.number_picture_path, "C:\\Games\\Tessary\\BmpImages\\PuzNumbs.bmp");
    EXPECT_EQ(p.current_picture_path, "C:\\Games\\Tessary\\BmpImages\\game_image00.bmp");
    EXPECT_EQ(p.help_path, "C:\\Games\\Tessary\\tessary-help.chm");

    const GamePaths bare = make_paths("tessary.exe");  // no backslash: the current folder
    EXPECT_EQ(bare.program_folder, "");
    EXPECT_EQ(bare.stats_path, "stats.txt");
    EXPECT_EQ(bare.number_picture_path, "BmpImages\\PuzNumbs.bmp");
}

TEST_F(GameTest, StartsIdleWithTheNumberPicture) {
    EXPECT_EQ(game.progress.game_running, 0);
    EXPECT_EQ(game.time_up, 1);
    EXPECT_EQ(game.pictures.number_picture_active, 1);
    EXPECT_EQ(game.tile_picture_path(), game.paths.number_picture_path);
    EXPECT_EQ(cells(), ORDERED);
    game.clock_tick();  // no game yet: the clock does nothing
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(GameTest, StartUpShowsTheBestRecord) {
    store("3 07 120 ");
    game.show_best_record();
    EXPECT_EQ(window.calls, (Calls{"text 4150 3:07", "text 4200 120"}));
}

TEST_F(GameTest, NewGameStepsComeInOrder) {
    game.new_game();
    Calls expected = {"sound WAVE_NEW_GAME", "start_clock", "text 2300 0", "text 2400 0:00", "text 2500  "};
    for (int t = 1; t <= 15; ++t) {
        const Point p = game.board.tile_positions[t];
        expected.push_back("place " + std::to_string(t) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    expected.push_back("repaint");
    EXPECT_EQ(window.calls, expected);
    EXPECT_EQ(game.progress.game_running, 1);
    EXPECT_EQ(game.time_up, 0);
    EXPECT_NE(cells(), ORDERED);
}

TEST_F(GameTest, EveryCommandInBothStates) {
    struct Row { int id; bool running; Calls calls; };
    const std::string help = "help C:\\Games\\Tessary\\tessary-help.chm";
    const Row rows[] = {
        {ID_NEW_GAME, true, {"beep"}},
        {ID_LOAD_PIC, true, {"beep"}},
        {ID_CANCEL, true, {"sound WAVE_BUTTON_CLICK", "stop_clock", "text 2500 Canceled"}},
        {ID_CANCEL, false, {"beep"}},
        {ID_TILE_1, false, {}},
        {ID_TILE_15, false, {}},
        {ID_CLOSE, true, {"stop_clock", "destroy"}},
        {ID_CLOSE, false, {"destroy"}},
    };
    const Row either[] = {
        {ID_HELP, false, {help}},
        {ID_MINIMIZE, false, {"sound WAVE_MINIMIZE", "minimize"}},
        {ID_CHECKBOX_EMPTY, false, {"show 3600", "hide 3500"}},
        {ID_CHECKBOX_CHECKED, false, {"show 3500", "hide 3600"}},
        {ID_SOUND_ON, false, {"sound WAVE_BUTTON_CLICK", "hide 4000", "show 4400"}},
        {ID_SOUND_OFF, false, {"sound WAVE_BUTTON_CLICK", "show 4000", "hide 4400"}},
        {1650, false, {}}, {ID_PREVIEW, false, {}}, {ID_RESULT, false, {}}, {0, false, {}},
    };
    auto check = [this](const Row& r, bool running) {
        RecordingWindow fresh;
        Game g(fresh, make_paths("C:\\Games\\Tessary\\tessary.exe"));
        g.record.stats_path = (folder / "stats.txt").string();
        g.deal.calendar_time = [] { return std::int64_t{1}; };
        if (running) g.new_game();
        fresh.calls.clear();
        g.command(r.id);
        EXPECT_EQ(fresh.calls, r.calls) << "control " << r.id << (running ? " running" : " idle");
    };
    for (const Row& r : rows) check(r, r.running);
    for (const Row& r : either) {
        check(r, false);
        check(r, true);
    }
}

TEST_F(GameTest, RefusalsChangeNothing) {
    game.new_game();
    ticks(5);
    game.tile_click(game.board.board_cells[16] == 0 ? game.board.board_cells[15] : 1);
    const Cells before = cells();
    const int moves = game.move_count;
    for (int id : {ID_NEW_GAME, ID_LOAD_PIC}) game.command(id);
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(game.move_count, moves);
    EXPECT_EQ(game.elapsed_seconds, 5);
    EXPECT_EQ(game.progress.game_running, 1);
    EXPECT_EQ(game.pictures.number_picture_active, 1);

    game.cancel_game();  // the board stays scrambled, NEW GAME is accepted again
    window.calls.clear();
    game.cancel_game();
    EXPECT_EQ(window.calls, Calls{"beep"});
    EXPECT_EQ(cells(), before);
    game.new_game();
    EXPECT_EQ(window.calls.at(1), "sound WAVE_NEW_GAME");
}

TEST_F(GameTest, CheckBoxTakesEffectAtTheNextNewGame) {
    game.new_game();
    const Cells dealt = cells();
    game.select_random_deals();
    EXPECT_EQ(cells(), dealt);
    EXPECT_EQ(game.deal.dealt_cells[15], 0);  // only the random deal fills these
    game.cancel_game();
    game.new_game();
    EXPECT_EQ(game.use_random_deal, 1);
    EXPECT_NE(game.deal.dealt_cells[15], 0);
}

TEST_F(GameTest, HelpThatCannotOpenSaysSo) {
    window.help_opens = false;
    game.show_help();
    EXPECT_EQ(window.calls,
              (Calls{"help C:\\Games\\Tessary\\tessary-help.chm", "message Help file could not be opened...|Error - Tessary"}));
}

TEST_F(GameTest, OnlyTheTitleStripDragsTheWindow) {
    for (auto [x, y] : {std::pair{0, 0}, {539, 24}, {540, 10}, {10, 25}, {600, 5}, {100, 300}})
        game.mouse_down(x, y);
    EXPECT_EQ(window.calls, (Calls{"drag 0,0", "drag 539,24"}));
}

TEST_F(GameTest, ClockShowsMinutesAndTwoDigitSeconds) {
    game.new_game();
    const std::pair<int, const char*> shown[] = {{9, "0:09"},  {10, "0:10"},  {59, "0:59"},   {60, "1:00"},
                                                  {69, "1:09"}, {600, "10:00"}, {3599, "59:59"}};
    int done = 0;
    for (auto [tick, text] : shown) {
        ticks(tick - done);
        done = tick;
        EXPECT_EQ(game.clock_text, text) << tick;
        EXPECT_EQ(window.calls.back(), std::string("text 2400 ") + text);
    }
    window.calls.clear();
    game.clock_tick();  // the 3600th
    EXPECT_EQ(window.calls, (Calls{"text 2500 Time's up!", "stop_clock"}));
    EXPECT_EQ(game.progress.game_running, 0);
    EXPECT_EQ(game.elapsed_minutes, 59);
    EXPECT_EQ(game.elapsed_seconds, 59);
    window.calls.clear();
    for (int t = 1; t <= 15; ++t) game.tile_click(t);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(GameTest, AMoveSoundsCountsOnceAndShowsTheCount) {
    running_with({2, 1, 3, 0, 5, 6, 7, 4, 9, 10, 11, 8, 13, 14, 15, 12});
    game.tile_click(15);  // not in line with the empty cell 4
    EXPECT_EQ(window.calls, Calls{"beep"});
    window.calls.clear();
    game.tile_click(12);  // slides 12, 8 and 4 up together
    EXPECT_EQ(window.only("sound"), Calls{"sound WAVE_TILE_MOVE"});
    EXPECT_EQ(window.only("text"), Calls{"text 2300 1"});
    EXPECT_EQ(game.move_count, 1);
    EXPECT_EQ(window.calls.front(), "place 4 273,54");  // the farthest tile first
}

TEST_F(GameTest, MutedMovesAreSilentButRefusalsStillBeep) {
    game.mute_moves();
    running_with({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15});
    game.tile_click(14);
    game.tile_click(1);
    EXPECT_EQ(window.calls, (Calls{"place 14 192,297", "text 2300 1", "beep"}));
}

TEST_F(GameTest, TilesOneToEightTestTheBoardEvenWhenNothingMoved) {
    const Cells magic = {15, 2, 1, 12, 4, 9, 10, 7, 8, 5, 6, 11, 3, 14, 13, 0};
    running_with(magic);  // a dealt magic square: no end until a tile is clicked
    game.tile_click(10);
    EXPECT_EQ(window.calls, Calls{"beep"});
    game.tile_click(5);
    EXPECT_EQ(window.calls, (Calls{"beep", "beep", "stop_clock", "sound WAVE_WIN", "text 2500 Magic Square"}));
    EXPECT_EQ(game.progress.game_running, 0);
}

// The board one click before each end, the clicked tile, and what follows.
struct EndRow {
    const char* name;
    Cells before;
    int tile;
    int theme;
    int number_picture_active;
    int toggles;
    const char* stored;  // the record file
    Calls sounds;
    const char* result;  // empty: the game goes on
};

const Cells SOLVED_BY_12 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 13, 14, 15, 12};
const Cells SOLVED_BY_15 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15};
const Cells MAGIC_BY_5 = {5, 0, 10, 15, 6, 14, 1, 9, 13, 3, 12, 2, 11, 8, 7, 4};
const Cells MAGIC_BY_13 = {15, 2, 1, 12, 4, 9, 10, 7, 8, 5, 6, 11, 3, 14, 0, 13};
const Cells MAGIC_BY_12 = {15, 0, 2, 1, 3, 12, 14, 13, 4, 7, 9, 10, 8, 11, 5, 6};
const Cells MAGIC_BY_15 = {15, 3, 13, 14, 0, 10, 4, 1, 8, 5, 11, 6, 7, 12, 2, 9};
const Cells EXCHANGED_BY_14 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 0, 14};
const Cells EXCHANGED_BY_12 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 13, 15, 14, 12};

const EndRow END_ROWS[] = {
    {"record by 12", SOLVED_BY_12, 12, 0, 1, 0, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD"}, "Solved"},
    {"record by 15", SOLVED_BY_15, 15, 0, 1, 0, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD", "WAVE_NEW_RECORD"}, "Solved"},
    {"equal time by 12", SOLVED_BY_12, 12, 0, 1, 0, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Solved"},
    {"equal time by 15", SOLVED_BY_15, 15, 0, 1, 0, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Solved"},
    {"santa record by 12", SOLVED_BY_12, 12, 2, 1, 0, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD", "WAVE_SANTA_WIN"}, "Solved"},
    {"bells by 15", SOLVED_BY_15, 15, 1, 1, 0, "0 00 3 ", {"WAVE_BELLS_MOVE", "WAVE_WIN"}, "Solved"},
    {"muted record", SOLVED_BY_12, 12, 0, 1, 1, "59 59 998", {"WAVE_NEW_RECORD"}, "Solved"},
    {"magic by 5, santa", MAGIC_BY_5, 5, 2, 1, 0, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Magic Square"},
    {"magic by 13, santa", MAGIC_BY_13, 13, 2, 1, 0, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_SANTA_WIN"}, "Magic Square"},
    {"magic by 12", MAGIC_BY_12, 12, 0, 1, 0, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD"}, "Magic Square"},
    {"magic by 15", MAGIC_BY_15, 15, 0, 1, 0, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD", "WAVE_NEW_RECORD"}, "Magic Square"},
    {"magic, other picture", MAGIC_BY_13, 13, 0, 0, 0, "0 00 3 ", {"WAVE_TILE_MOVE"}, ""},
    {"exchanged by 14, santa", EXCHANGED_BY_14, 14, 2, 1, 0, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_UNSOLVABLE"},
     "Unsolvable"},
    {"exchanged by 12", EXCHANGED_BY_12, 12, 0, 1, 0, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_UNSOLVABLE"},
     "Unsolvable"},
};

TEST_F(GameTest, EndsAreAnnouncedWithTheirSoundsByTileGroup) {
    for (const EndRow& r : END_ROWS) {
        store(r.stored);
        game.sound_theme = r.theme;
        game.pictures.number_picture_active = r.number_picture_active;
        game.sound_toggle_count = r.toggles;
        running_with(r.before);
        game.tile_click(r.tile);
        Calls sounds;
        for (const std::string& s : window.only("sound ")) sounds.push_back(s.substr(6));
        EXPECT_EQ(sounds, r.sounds) << r.name;
        const Calls result = window.only("text 2500");
        if (*r.result) {
            EXPECT_EQ(result, Calls{std::string("text 2500 ") + r.result}) << r.name;
            EXPECT_EQ(window.only("stop_clock").size(), 1u) << r.name;
            EXPECT_EQ(game.progress.game_running, 0) << r.name;
            EXPECT_EQ(game.progress.end_kind, END_NONE) << r.name;
            EXPECT_EQ(game.progress.move_count_text, "") << r.name;
        } else {
            EXPECT_TRUE(result.empty()) << r.name;
            EXPECT_EQ(game.progress.game_running, 1) << r.name;
            game.cancel_game();
        }
        const bool record = std::find(sounds.begin(), sounds.end(), "WAVE_NEW_RECORD") != sounds.end();
        EXPECT_EQ(stored(), record ? "0 00 1 " : r.stored) << r.name;
    }
}

TEST_F(GameTest, FailedRecordWriteEndsAsAnOrdinaryGame) {
    store("59 59 998");
    fs::create_directory(game.record.stats_path + ".tmp");
    running_with(SOLVED_BY_15);
    game.tile_click(15);
    EXPECT_EQ(window.only("sound"), (Calls{"sound WAVE_TILE_MOVE", "sound WAVE_WIN"}));
    EXPECT_TRUE(window.only("text 4").empty());  // best time and moves unchanged
    EXPECT_EQ(stored(), "59 59 998");
}

TEST_F(GameTest, PresetDealPlayedToSolvedSetsTheRecord) {
    game.show_best_record();
    game.new_game();
    ticks(125);
    const std::vector<int> clicks = solve(cells(), ORDERED);
    ASSERT_TRUE(clicks.back() == 12 || clicks.back() == 15);
    window.calls.clear();
    for (int tile : clicks) game.command(TILE_IDS[tile]);
    EXPECT_EQ(cells(), ORDERED);
    EXPECT_EQ(game.move_count, static_cast<int>(clicks.size()));
    EXPECT_EQ(window.only("text 2500"), Calls{"text 2500 Solved"});
    EXPECT_EQ(window.only("beep").size(), 0u);
    EXPECT_EQ(stored(), "2 05 " + std::to_string(clicks.size()) + " ");
    EXPECT_EQ(window.only("text 4150"), Calls{"text 4150 2:05"});
    EXPECT_EQ(game.progress.game_running, 0);
    window.calls.clear();
    game.tile_click(clicks.back());
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(GameTest, UnsolvableRandomDealPlayedToTheExchangedEnd) {
    store("59 59 998");
    game.select_random_deals();
    game.new_game();
    while (reaches_ordered(cells())) {
        game.cancel_game();
        game.new_game();
    }
    const std::vector<int> clicks = solve(cells(), EXCHANGED);
    window.calls.clear();
    for (int tile : clicks) game.tile_click(tile);
    EXPECT_EQ(window.only("text 2500"), Calls{"text 2500 Unsolvable"});
    EXPECT_EQ(window.only("sound").back(), "sound WAVE_UNSOLVABLE");
    EXPECT_EQ(stored(), "59 59 998");
    EXPECT_EQ(game.progress.game_running, 0);
}

TEST_F(GameTest, LoadPicStepsComeInOrder) {
    window.chosen_pictures = {"D:\\pics\\beach.bmp"};
    game.load_pic();
    Calls expected = {"sound WAVE_BUTTON_CLICK", "dialog C:\\Games\\Tessary\\BmpImages\\"};
    for (int t = 1; t <= 15; ++t) {
        const Point p = cell_position(t);
        expected.push_back("place " + std::to_string(t) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    const std::string current = game.paths.current_picture_path;
    expected.insert(expected.end(), {"preview D:\\pics\\beach.bmp", "snapshot " + current, "repaint"});
    EXPECT_EQ(window.calls, expected);
    EXPECT_EQ(game.tile_picture_path(), current);
    EXPECT_EQ(game.pictures.chosen_file_name, "beach.bmp");
    EXPECT_EQ(game.pictures.number_picture_active, 0);
}

TEST_F(GameTest, OnlyLowerOrUpperCasePngIsConverted) {
    const std::string current = game.paths.current_picture_path;
    struct Row { const char* chosen; bool converted; std::string preview; };
    const Row rows[] = {{"D:\\a.png", true, current}, {"D:\\a.PNG", true, current}, {"D:\\a.Png", false, "D:\\a.Png"}};
    for (const Row& r : rows) {
        window.calls.clear();
        window.chosen_pictures = {r.chosen};
        game.load_pic();
        EXPECT_EQ(window.only("convert").size(), r.converted ? 1u : 0u) << r.chosen;
        EXPECT_EQ(window.only("preview"), Calls{"preview " + r.preview}) << r.chosen;
    }
    EXPECT_EQ(window.only("convert"), Calls{});
    EXPECT_EQ(game.pictures.chosen_extension, "Png");
}

TEST_F(GameTest, UndecodablePngIsReportedAndTheOldPictureStays) {
    png_converts = false;
    window.chosen_pictures = {"D:\\broken.png"};
    game.load_pic();
    EXPECT_EQ(window.only("message"), Calls{"message Image failed to load. . . |Tessary Error"});
    EXPECT_EQ(window.only("preview"), Calls{"preview " + game.paths.current_picture_path});
    EXPECT_EQ(game.pictures.chosen_extension, "");
}

TEST_F(GameTest, OnlyPuznumbsInSmallLettersBringsMagicSquaresBack) {
    for (auto [chosen, active] : {std::pair{"C:\\x\\puznumbs.bmp", 1}, {"C:\\x\\PuzNumbs.bmp", 0}, {"", 0}}) {
        window.chosen_pictures = {chosen};
        game.load_pic();
        EXPECT_EQ(game.pictures.number_picture_active, active) << chosen;
    }
}

TEST_F(GameTest, PictureNamesSetTheThemeAndCancelledDialogsKeepTheOldName) {
    struct Row { const char* chosen; int theme; bool clown; };  // "" cancels the dialog
    const Row rows[] = {
        {"C:\\x\\santa.bmp", 2, false}, {"C:\\x\\clown.bmp", 2, true}, {"", 0, false},
        {"C:\\x\\xmasbells.bmp", 1, false}, {"", 1, false}, {"C:\\x\\Santa.bmp", 0, false},
    };
    for (const Row& r : rows) {
        window.calls.clear();
        window.chosen_pictures = {r.chosen};
        game.load_pic();
        EXPECT_EQ(game.sound_theme, r.theme) << r.chosen;
        EXPECT_EQ(window.calls.back(), r.clown ? "sound WAVE_CLOWN" : "repaint") << r.chosen;
    }
}

TEST_F(GameTest, CancelledDialogKeepsTheBoardButRewritesTheCurrentPicture) {
    game.new_game();
    game.cancel_game();
    const Cells dealt = cells();
    window.calls.clear();
    game.load_pic();
    const std::string current = game.paths.current_picture_path;
    EXPECT_EQ(window.calls, (Calls{"sound WAVE_BUTTON_CLICK", "dialog C:\\Games\\Tessary\\BmpImages\\",
                                   "preview " + game.paths.number_picture_path, "snapshot " + current, "repaint"}));
    EXPECT_EQ(cells(), dealt);
    EXPECT_EQ(game.pictures.number_picture_active, 0);
    EXPECT_EQ(game.tile_picture_path(), current);
}
