// The controller through a recording window: the state machine, the clock,
// tile clicks with their end announcements and sounds, LOAD PIC, whole games.
// Every situation is reached by the commands a player gives.
#include "board/deal.h"
#include "game_fixture.h"
#include "ids/control_ids.h"

#include <gtest/gtest.h>
#include <lodepng.h>

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

// Whether a board is an end position of any kind (magic squares included).
bool is_end(const Cells& cells) {
    Board board;
    std::copy(cells.begin(), cells.end(), board.board_cells.begin() + 1);
    return check_end_position(board, 1) != END_NONE;
}

// Weighted A*: not the shortest solution, but found in milliseconds. Returns the
// tiles to click, each a neighbour of the empty cell; the way passes no end
// position before the goal. A goal it cannot reach within a bounded search
// (a board that is not what the test thinks) fails the test at once.
std::vector<int> solve(const Cells& start, const Cells& goal) {
    constexpr std::size_t MAX_BOARDS = 200000;
    struct Node { int f; int g; Cells cells; };
    auto later = [](const Node& a, const Node& b) { return a.f > b.f; };
    std::priority_queue<Node, std::vector<Node>, decltype(later)> open(later);
    std::unordered_map<std::uint64_t, std::pair<std::uint64_t, int>> came_from;  // parent, tile clicked
    open.push({0, 0, start});
    came_from[key(start)] = {0, 0};
    bool reached = false;
    while (!open.empty() && came_from.size() < MAX_BOARDS) {
        const Node node = open.top();
        open.pop();
        if ((reached = node.cells == goal)) break;
        const int empty = static_cast<int>(std::find(node.cells.begin(), node.cells.end(), 0) - node.cells.begin());
        for (int step : {-4, 4, -1, 1}) {
            const int from = empty + step;
            if (from < 0 || from > 15 || (std::abs(step) == 1 && from / 4 != empty / 4)) continue;
            Cells next = node.cells;
            std::swap(next[empty], next[from]);
            if (next != goal && is_end(next)) continue;
            if (!came_from.emplace(key(next), std::make_pair(key(node.cells), node.cells[from])).second) continue;
            open.push({node.g + 1 + 3 * distance(next, goal), node.g + 1, next});
        }
    }
    std::vector<int> clicks;
    if (!reached) {
        ADD_FAILURE() << "the test's solver found no way to its goal within " << MAX_BOARDS << " boards";
        return clicks;
    }
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

class GameTest : public GameFixture {
protected:
    // A file of the player's in the test's folder; its full path.
    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    }
    // A real PNG file's bytes: one red pixel.
    static std::string png_file() {
        std::vector<unsigned char> png;
        lodepng::encode(png, std::vector<unsigned char>{255, 0, 0}, 1, 1, LCT_RGB);
        return std::string(png.begin(), png.end());
    }
    // A LOAD PIC of a file of that name.
    void load(const std::string& name) {
        window.chosen_pictures = {"C:\\x\\" + name};
        game.load_pic();
    }
    // Clicks its way from the dealt board to c with the game still running;
    // the number of moves made so far.
    int play_to(const Cells& c) {
        const std::vector<int> clicks = solve(cells(), c);
        for (int tile : clicks) {
            game.tile_click(tile);
            if (!running()) ADD_FAILURE() << "the game ended on the way";
        }
        return static_cast<int>(clicks.size());
    }
    // A running game whose board is c, dealt with the deal kind that can reach
    // it, the window's log cleared; the moves it took.
    int running_with(const Cells& c) {
        if (running()) game.cancel_game();
        if (reaches_ordered(c)) {
            game.select_preset_deals();
            game.new_game();
        } else {
            game.select_random_deals();
            for (game.new_game(); reaches_ordered(cells()); game.new_game()) game.cancel_game();
        }
        const int moves = play_to(c);
        window.calls.clear();
        return moves;
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) game.clock_tick();
    }
    static bool is_preset(const Cells& c) {
        for (const auto& layout : PRESET_LAYOUTS)
            if (std::equal(c.begin(), c.end(), layout.begin())) return true;
        return false;
    }
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
    EXPECT_FALSE(running());
    EXPECT_EQ(game.view().number_picture_active, 1);
    EXPECT_EQ(game.tile_picture_path(), "C:\\Games\\Tessary\\BmpImages\\PuzNumbs.bmp");
    EXPECT_EQ(cells(), ORDERED);
    game.clock_tick();  // no game yet: the clock does nothing
    for (int t = 1; t <= 15; ++t) game.tile_click(t);
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
    const Cells dealt = cells();
    for (int t = 1; t <= 15; ++t) {
        const int cell = static_cast<int>(std::find(dealt.begin(), dealt.end(), t) - dealt.begin()) + 1;
        const Point p = cell_position(cell);
        expected.push_back("place " + std::to_string(t) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    expected.push_back("repaint");
    EXPECT_EQ(window.calls, expected);
    EXPECT_TRUE(running());
    EXPECT_TRUE(is_preset(dealt));
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
        Game g(fresh, paths_in(folder), [] { return std::int64_t{1}; });
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
    game.tile_click(cells()[15] == 0 ? cells()[14] : cells()[15] == 4 ? 1 : 4);
    const Cells before = cells();
    window.calls.clear();
    for (int id : {ID_NEW_GAME, ID_LOAD_PIC}) game.command(id);
    EXPECT_EQ(window.calls, (Calls{"beep", "beep"}));
    EXPECT_EQ(cells(), before);
    EXPECT_TRUE(running());
    EXPECT_EQ(game.view().number_picture_active, 1);
    game.clock_tick();
    EXPECT_EQ(window.calls.back(), "text 2400 0:06");  // the clock went on

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
    game.cancel_game();
    game.new_game();
    EXPECT_FALSE(is_preset(cells()));
    game.cancel_game();
    game.select_preset_deals();
    game.new_game();
    EXPECT_TRUE(is_preset(cells()));
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

TEST_F(GameTest, ClockShowsMinutesAndTwoDigitSecondsAndStopsAfterAnHour) {
    game.new_game();
    const std::pair<int, const char*> shown[] = {{9, "0:09"},  {10, "0:10"},  {59, "0:59"},   {60, "1:00"},
                                                  {69, "1:09"}, {600, "10:00"}, {3599, "59:59"}};
    int done = 0;
    for (auto [tick, text] : shown) {
        ticks(tick - done);
        done = tick;
        EXPECT_EQ(window.calls.back(), std::string("text 2400 ") + text) << tick;
    }
    window.calls.clear();
    game.clock_tick();  // the 3600th
    EXPECT_EQ(window.calls, (Calls{"text 2500 Time's up!", "stop_clock"}));
    EXPECT_FALSE(running());
    window.calls.clear();
    for (int t = 1; t <= 15; ++t) game.tile_click(t);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(GameTest, AMoveSoundsCountsOnceAndShowsTheCount) {
    const int moves = running_with({2, 1, 3, 0, 5, 6, 7, 4, 9, 10, 11, 8, 13, 14, 15, 12});
    game.tile_click(15);  // not in line with the empty cell 4
    EXPECT_EQ(window.calls, Calls{"beep"});
    window.calls.clear();
    game.tile_click(12);  // slides 12, 8 and 4 up together
    EXPECT_EQ(window.only("sound"), Calls{"sound WAVE_TILE_MOVE"});
    EXPECT_EQ(window.only("text"), Calls{"text 2300 " + std::to_string(moves + 1)});
    EXPECT_EQ(window.calls.front(), "place 4 273,54");  // the farthest tile first
}

TEST_F(GameTest, MutedMovesAreSilentButRefusalsStillBeep) {
    game.mute_moves();
    const int moves = running_with({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15});
    game.tile_click(14);
    game.tile_click(1);
    EXPECT_EQ(window.calls, (Calls{"place 14 192,297", "text 2300 " + std::to_string(moves + 1), "beep"}));
}

// The board one click before each end, the clicked tile, and what follows.
struct EndRow {
    const char* name;
    Cells before;
    int tile;
    const char* picture;  // chosen by LOAD PIC before the game
    bool muted;
    const char* stored;   // the record file
    Calls sounds;
    const char* result;   // empty: the game goes on
};

const Cells SOLVED_BY_12 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 13, 14, 15, 12};
const Cells SOLVED_BY_15 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15};
const Cells MAGIC_BY_5 = {5, 0, 10, 15, 6, 14, 1, 9, 13, 3, 12, 2, 11, 8, 7, 4};
const Cells MAGIC_BY_13 = {15, 2, 1, 12, 4, 9, 10, 7, 8, 5, 6, 11, 3, 14, 0, 13};
const Cells MAGIC_BY_12 = {15, 0, 2, 1, 3, 12, 14, 13, 4, 7, 9, 10, 8, 11, 5, 6};
const Cells MAGIC_BY_15 = {15, 3, 13, 14, 0, 10, 4, 1, 8, 5, 11, 6, 7, 12, 2, 9};
const Cells EXCHANGED_BY_14 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 0, 14};
const Cells EXCHANGED_BY_12 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 13, 15, 14, 12};

const char NUMBERS[] = "puznumbs.bmp";  // the only name that keeps magic squares on

const EndRow END_ROWS[] = {
    {"record by 12", SOLVED_BY_12, 12, NUMBERS, false, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD"}, "Solved"},
    {"record by 15", SOLVED_BY_15, 15, NUMBERS, false, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD", "WAVE_NEW_RECORD"}, "Solved"},
    {"equal time by 12", SOLVED_BY_12, 12, NUMBERS, false, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Solved"},
    {"equal time by 15", SOLVED_BY_15, 15, NUMBERS, false, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Solved"},
    {"santa record by 12", SOLVED_BY_12, 12, "santa.bmp", false, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD", "WAVE_SANTA_WIN"}, "Solved"},
    {"bells by 15", SOLVED_BY_15, 15, "xmasbells.bmp", false, "0 00 3 ", {"WAVE_BELLS_MOVE", "WAVE_WIN"}, "Solved"},
    {"muted record", SOLVED_BY_12, 12, NUMBERS, true, "59 59 998", {"WAVE_NEW_RECORD"}, "Solved"},
    {"magic by 5", MAGIC_BY_5, 5, NUMBERS, false, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Magic Square"},
    {"magic by 13", MAGIC_BY_13, 13, NUMBERS, false, "0 00 3 ", {"WAVE_TILE_MOVE", "WAVE_WIN"}, "Magic Square"},
    {"magic by 12", MAGIC_BY_12, 12, NUMBERS, false, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD"},
     "Magic Square"},
    {"magic by 15", MAGIC_BY_15, 15, NUMBERS, false, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_NEW_RECORD", "WAVE_NEW_RECORD"}, "Magic Square"},
    {"magic, other picture", MAGIC_BY_13, 13, "beach.bmp", false, "0 00 3 ", {"WAVE_TILE_MOVE"}, ""},
    {"exchanged by 14, santa", EXCHANGED_BY_14, 14, "santa.bmp", false, "59 59 998",
     {"WAVE_TILE_MOVE", "WAVE_UNSOLVABLE"}, "Unsolvable"},
    {"exchanged by 12", EXCHANGED_BY_12, 12, NUMBERS, false, "59 59 998", {"WAVE_TILE_MOVE", "WAVE_UNSOLVABLE"},
     "Unsolvable"},
};

TEST_F(GameTest, EndsAreAnnouncedWithTheirSoundsByTileGroup) {
    for (const EndRow& r : END_ROWS) {
        store(r.stored);
        if (running()) game.cancel_game();
        load(r.picture);
        if (r.muted) game.mute_moves();
        const int moves = running_with(r.before);
        game.tile_click(r.tile);
        if (r.muted) game.unmute_moves();
        Calls sounds;
        for (const std::string& s : window.only("sound ")) sounds.push_back(s.substr(6));
        if (r.muted) sounds.pop_back();  // the switch's own click
        EXPECT_EQ(sounds, r.sounds) << r.name;
        const Calls result = window.only("text 2500");
        if (*r.result) {
            EXPECT_EQ(result, Calls{std::string("text 2500 ") + r.result}) << r.name;
            EXPECT_EQ(window.only("stop_clock").size(), 1u) << r.name;
            EXPECT_FALSE(running()) << r.name;
        } else {
            EXPECT_TRUE(result.empty()) << r.name;
            EXPECT_TRUE(running()) << r.name;
        }
        const bool record = std::find(sounds.begin(), sounds.end(), "WAVE_NEW_RECORD") != sounds.end();
        const std::string moves_text = std::to_string(moves + 1);
        EXPECT_EQ(stored(), record ? "0 00 " + moves_text + " " : r.stored) << r.name;
        EXPECT_EQ(window.only("text 4"), record ? Calls({"text 4150 0:00", "text 4200 " + moves_text}) : Calls{})
            << r.name;
    }
}

TEST_F(GameTest, FailedRecordWriteEndsAsAnOrdinaryGame) {
    store("59 59 998");
    fs::permissions(folder / "stats.txt", fs::perms::owner_write, fs::perm_options::remove);  // and no own folder
    running_with(SOLVED_BY_15);
    game.tile_click(15);
    EXPECT_EQ(window.only("sound"), (Calls{"sound WAVE_TILE_MOVE", "sound WAVE_WIN"}));
    EXPECT_TRUE(window.only("text 4").empty());  // best time and moves unchanged
    EXPECT_EQ(stored(), "59 59 998");
}

TEST_F(GameTest, ARecordTheProgramFolderCannotTakeIsKeptInThePlayersPlaceAndShownAtTheNextStart) {
    store("59 59 998");
    fs::permissions(folder / "stats.txt", fs::perms::owner_write, fs::perm_options::remove);  // read-only
    fs::create_directory(folder / "own");
    const std::string moves = std::to_string(running_with(SOLVED_BY_15) + 1);
    game.tile_click(15);
    EXPECT_EQ(window.only("text 4"), (Calls{"text 4150 0:00", "text 4200 " + moves}));
    EXPECT_EQ(stored(), "59 59 998");
    GamePaths next = paths_in(folder);
    ASSERT_TRUE(place_written_files(next));
    RecordingWindow shown;
    Game(shown, next).show_best_record();
    EXPECT_EQ(shown.calls, (Calls{"text 4150 0:00", "text 4200 " + moves}));
}

TEST_F(GameTest, APictureTheProgramFolderCannotTakeGoesToThePlayersPlaceOrLeavesTheTilesAsTheyWere) {
    const std::string beside = "C:\\Games\\Tessary\\BmpImages\\game_image00.bmp";
    const std::string numbers = "C:\\Games\\Tessary\\BmpImages\\PuzNumbs.bmp";
    const std::string own = install_place((folder / "own").string() + "/", "C:\\Games\\Tessary\\");
    for (const std::string& chosen : {put("a.bmp", "BM"), put("a.png", png_file())}) {
        for (const bool own_folder : {false, true}) {
            fs::remove_all(folder / "own");
            if (own_folder) fs::create_directory(folder / "own");
            RecordingWindow w;
            w.unwritable = {beside};
            w.chosen_pictures = {chosen};
            Game g(w, paths_in(folder));
            g.load_pic();
            EXPECT_EQ(g.tile_picture_path(), own_folder ? own + "game_image00.bmp" : numbers) << chosen;
            EXPECT_EQ(w.only("message").size(), own_folder ? 0u : 1u) << chosen;
            // Nowhere to keep it: the panel shows the tiles' picture again, if it changed.
            const Calls previews = w.only("preview");
            EXPECT_TRUE(own_folder || previews.empty() || previews.back() == "preview " + numbers) << chosen;
        }
    }
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
    EXPECT_EQ(window.only("text 2300").back(), "text 2300 " + std::to_string(clicks.size()));
    EXPECT_EQ(window.only("text 2500"), Calls{"text 2500 Solved"});
    EXPECT_EQ(window.only("beep").size(), 0u);
    EXPECT_EQ(stored(), "2 05 " + std::to_string(clicks.size()) + " ");
    EXPECT_EQ(window.only("text 4150"), Calls{"text 4150 2:05"});
    EXPECT_FALSE(running());
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
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        EXPECT_TRUE(running()) << "the game ended " << clicks.size() - i << " clicks early";
        game.tile_click(clicks[i]);
    }
    EXPECT_EQ(window.only("text 2500"), Calls{"text 2500 Unsolvable"});
    EXPECT_EQ(window.only("sound").back(), "sound WAVE_UNSOLVABLE");
    EXPECT_EQ(stored(), "59 59 998");
    EXPECT_FALSE(running());
}

TEST_F(GameTest, LoadPicStepsComeInOrder) {
    window.chosen_pictures = {"D:\\pics\\beach.bmp"};
    game.load_pic();
    Calls expected = {"sound WAVE_BUTTON_CLICK", "dialog C:\\Games\\Tessary\\BmpImages\\"};
    for (int t = 1; t <= 15; ++t) {
        const Point p = cell_position(t);
        expected.push_back("place " + std::to_string(t) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    const std::string current = "C:\\Games\\Tessary\\BmpImages\\game_image00.bmp";
    expected.insert(expected.end(), {"preview D:\\pics\\beach.bmp", "snapshot " + current, "repaint"});
    EXPECT_EQ(window.calls, expected);
    EXPECT_EQ(game.tile_picture_path(), current);
    EXPECT_EQ(game.view().number_picture_active, 0);
}

TEST_F(GameTest, APngTakesThePngWayByItsFirstBytesWhateverItsName) {
    const std::string current = "C:\\Games\\Tessary\\BmpImages\\game_image00.bmp";
    const std::string png = png_file(), jpeg = "\xFF\xD8\xFF\xE0\x00\x10JFIF";
    struct Row { const char* name; std::string bytes; bool converted; };
    const Row rows[] = {{"a.png", png, true},          {"a.PNG", png, true},
                        {"Photo.Png", png, true},      {"saved.jpg", png, true},
                        {"photo.png", jpeg, false},    {"notes.gif", "plain text", false},
                        {"short.png", png.substr(0, 7), false}};
    for (const Row& r : rows) {
        const std::string path = put(r.name, r.bytes);
        window.calls.clear();
        window.chosen_pictures = {path};
        game.load_pic();
        EXPECT_EQ(window.only("convert"), r.converted ? Calls{"convert " + path + " -> " + current} : Calls{})
            << r.name;
        EXPECT_EQ(window.only("preview"), Calls{"preview " + (r.converted ? current : path)}) << r.name;
    }
}

TEST_F(GameTest, APictureNeitherWayCanReadIsReportedAndTheTilesKeepTheirPicture) {
    const std::string current = "C:\\Games\\Tessary\\BmpImages\\game_image00.bmp";
    struct Row { const char* name; std::string path; bool imports, loads; Calls tried; };
    const std::string truncated = put("truncated.Png", png_file().substr(0, 30));
    const std::string text = put("xmasbells.bmp", "not a picture\r\n");
    const std::string huge = put("huge.png", png_file());
    const Row rows[] = {
        {"truncated PNG", truncated, false, true, {"convert " + truncated + " -> " + current}},
        {"text", text, true, false, {"preview " + text}},
        // Converted, but the panel cannot take it: the panel's picture is written back.
        {"converted PNG", huge, true, false,
         {"convert " + huge + " -> " + current, "preview " + current, "snapshot " + current}},
    };
    // At start the tiles are cut from the number picture itself, and stay so.
    window.png_imports = false;
    window.chosen_pictures = {truncated};
    game.load_pic();
    EXPECT_EQ(game.tile_picture_path(), "C:\\Games\\Tessary\\BmpImages\\PuzNumbs.bmp");
    EXPECT_EQ(window.only("snapshot"), Calls{});

    window.png_imports = true;
    window.chosen_pictures = {"C:\\x\\puznumbs.bmp"};
    game.load_pic();
    for (const Row& r : rows) {
        game.new_game();
        game.cancel_game();
        window.calls.clear();
        window.png_imports = r.imports;
        window.previews_load = r.loads;
        window.chosen_pictures = {r.path};
        game.load_pic();
        Calls tried;
        for (const std::string& call : window.calls)
            if (call.rfind("convert", 0) == 0 || call.rfind("preview", 0) == 0 || call.rfind("snapshot", 0) == 0)
                tried.push_back(call);
        EXPECT_EQ(tried, r.tried) << r.name;
        EXPECT_EQ(window.only("message"), Calls{"message Image failed to load. . . |Tessary Error"}) << r.name;
        EXPECT_EQ(game.tile_picture_path(), current) << r.name;
        // The board is put in order, and the name of a picture that did not load has no effect.
        EXPECT_EQ(cells(), ORDERED) << r.name;
        EXPECT_EQ(game.view().number_picture_active, 1) << r.name;
        EXPECT_EQ(game.view().sound_theme, 0) << r.name;
    }
}

TEST_F(GameTest, OnlyPuznumbsInSmallLettersBringsMagicSquaresBack) {
    for (auto [chosen, active] : {std::pair{"C:\\x\\puznumbs.bmp", 1}, {"C:\\x\\PuzNumbs.bmp", 0}, {"", 0}}) {
        window.chosen_pictures = {chosen};
        game.load_pic();
        EXPECT_EQ(game.view().number_picture_active, active) << chosen;
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
        EXPECT_EQ(game.view().sound_theme, r.theme) << r.chosen;
        EXPECT_EQ(window.calls.back(), r.clown ? "sound WAVE_CLOWN" : "repaint") << r.chosen;
    }
}

TEST_F(GameTest, CancelledDialogKeepsTheBoardButRewritesTheCurrentPicture) {
    game.new_game();
    game.cancel_game();
    const Cells dealt = cells();
    window.calls.clear();
    game.load_pic();
    const std::string current = "C:\\Games\\Tessary\\BmpImages\\game_image00.bmp";
    EXPECT_EQ(window.calls, (Calls{"sound WAVE_BUTTON_CLICK", "dialog C:\\Games\\Tessary\\BmpImages\\",
                                   "preview C:\\Games\\Tessary\\BmpImages\\PuzNumbs.bmp", "snapshot " + current,
                                   "repaint"}));
    EXPECT_EQ(cells(), dealt);
    EXPECT_EQ(game.view().number_picture_active, 0);
    EXPECT_EQ(game.tile_picture_path(), current);
}
