// The hint through the controller and a recording window: H only while a game
// runs, the frame and the steps to go until the next move, answers that come
// too late dropped, and a game played on hints that ends as usual, in the
// fewest moves, without a best record. The tests answer the window's searches
// themselves, as the worker beside the real window would, one message later.
#include "game_fixture.h"
#include "solver/hint_worker.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using Calls = std::vector<std::string>;

class HintTest : public GameFixture {
protected:
    // The answer to the window's last search, as the worker would bring it.
    void answer() { game.hint_found(window.hint_asked, shared_solver().solve(window.hint_asked).tiles); }
    // H, and the search it starts (if any) answered.
    void press_h() {
        const std::size_t searches = window.only("find_hint").size();
        game.key_press(Key::H);
        if (window.only("find_hint").size() > searches) answer();
    }
    // The tile of the window's last hint call.
    int hinted() const {
        const Calls hints = window.only("hint ");
        return hints.empty() ? -1 : std::stoi(hints.back().substr(5));
    }
    // Tiles in line with the empty cell (they move) and the others.
    std::vector<int> tiles(bool in_line) const {
        const Cells c = cells();
        const int e = static_cast<int>(std::find(c.begin(), c.end(), 0) - c.begin());
        std::vector<int> found;
        for (int k = 0; k < 16; ++k)
            if (c[k] != 0 && (k / 4 == e / 4 || k % 4 == e % 4) == in_line) found.push_back(c[k]);
        return found;
    }
    bool next_to_empty(int tile) const {
        const Cells c = cells();
        const long e = std::find(c.begin(), c.end(), 0) - c.begin(), t = std::find(c.begin(), c.end(), tile) - c.begin();
        return std::abs(e - t) == 4 || (std::abs(e - t) == 1 && e / 4 == t / 4);
    }

};

TEST_F(HintTest, OnlyWhileAGameRunsAndUntilTheNextMove) {
    game.key_press(Key::H);
    EXPECT_TRUE(window.calls.empty());

    game.new_game();
    window.calls.clear();
    press_h();
    const int tile = hinted();
    EXPECT_TRUE(next_to_empty(tile)) << tile;
    const std::string to_go = "text 2500 " + std::to_string(shared_solver().solve(cells()).tiles.size()) + " to go";
    // H again on the same board: the same tile at once, no second search.
    press_h();
    const std::string framed = "hint " + std::to_string(tile);
    EXPECT_EQ(window.calls, (Calls{"find_hint", framed, to_go, framed, to_go}));

    // A click that moves nothing keeps the frame; a move, any move, takes it and the steps away.
    window.calls.clear();
    game.tile_click(tiles(false).front());
    EXPECT_EQ(window.calls, Calls{"beep"});
    const std::vector<int> movable = tiles(true);
    game.tile_click(movable.front() != tile ? movable.front() : movable.back());
    EXPECT_EQ(window.only("hint"), Calls{"hint 0"});
    EXPECT_EQ(window.only("text 2500"), Calls{"text 2500  "});

    // So does CANCEL; then H does nothing.
    press_h();
    window.calls.clear();
    game.cancel_game();
    EXPECT_EQ(window.only("hint"), Calls{"hint 0"});
    EXPECT_EQ(window.only("text 2500").back(), "text 2500 Canceled");
    window.calls.clear();
    game.key_press(Key::H);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(HintTest, AnAnswerShowsOnlyForTheBoardStillWaitingForIt) {
    game.new_game();
    window.calls.clear();
    // H twice while the search runs: one search. A move abandons it.
    game.key_press(Key::H);
    game.key_press(Key::H);
    const Cells first = window.hint_asked;
    const std::vector<int> movable = tiles(true);
    game.tile_click(movable.front());
    EXPECT_EQ(window.calls.front(), "find_hint");
    EXPECT_EQ(window.only("find_hint").size(), 1u);
    EXPECT_EQ(window.only("abandon_hint").size(), 1u);
    // Its answer, already on its way, is dropped; so is one for the old board
    // while a search for the new one runs; the new one's answer shows.
    const std::vector<int> stale = shared_solver().solve(first).tiles;
    game.hint_found(first, stale);
    game.key_press(Key::H);
    game.hint_found(first, stale);
    EXPECT_TRUE(window.only("hint ").empty());
    answer();
    EXPECT_EQ(window.only("hint ").size(), 1u);
    // After CANCEL an answer to a search it abandoned is dropped too.
    const std::vector<int> now_movable = tiles(true);
    game.tile_click(now_movable.front() != hinted() ? now_movable.front() : now_movable.back());
    game.key_press(Key::H);
    EXPECT_EQ(window.only("find_hint").size(), 3u);
    game.cancel_game();
    window.calls.clear();
    answer();
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(HintTest, FollowingTheHintsEndsInTheFewestMovesWithoutARecord) {
    // A five-second game would beat this record: only the hints keep it.
    store("59 59 998");
    for (const bool random : {false, true}) {
        if (random) {
            // A deal of the half that can only end with 14 and 15 exchanged.
            game.select_random_deals();
            do {
                if (running()) game.cancel_game();
                game.new_game();
            } while (reachable_end(cells()) == END_ORDERED);
        } else {
            game.new_game();
        }
        for (int i = 0; i < 5; ++i) game.clock_tick();
        window.calls.clear();
        // Three hints followed, then one move off their way, then the hints again.
        int moves = 0, fewest = 0;
        for (; running() && moves < 200; ++moves) {
            press_h();
            int tile = hinted();
            if (moves == 3) {
                for (int other = 1; other <= 15; ++other)
                    if (other != tile && next_to_empty(other)) tile = other;
                Cells after = cells();
                std::iter_swap(std::find(after.begin(), after.end(), 0), std::find(after.begin(), after.end(), tile));
                fewest = 4 + static_cast<int>(shared_solver().solve(after).tiles.size());
            }
            ASSERT_TRUE(next_to_empty(tile)) << "move " << moves;
            game.tile_click(tile);
        }
        EXPECT_EQ(moves, fewest);
        // The steps to go count down to 1 before the last move ends the game.
        const Calls texts = window.only("text 2500");
        ASSERT_GE(texts.size(), 3u);
        EXPECT_EQ(texts.back(), random ? "text 2500 Unsolvable" : "text 2500 Solved");
        EXPECT_EQ(texts[texts.size() - 3], "text 2500 1 to go");
        EXPECT_EQ(window.only("sound").back(), random ? "sound WAVE_UNSOLVABLE" : "sound WAVE_WIN");
        EXPECT_TRUE(window.only("text 4150").empty());
        EXPECT_EQ(stored(), "59 59 998");
    }
}

// The worker beside the window, on a thread as in the game: a search asked in
// place of another answers alone, and stop() ends a long search at once.
TEST(HintWorker, AnswersTheSearchAskedLastAndStopsAtOnce) {
    std::mutex mutex;
    std::condition_variable answered;
    std::vector<HintAnswer> answers;
    HintWorker worker([&](HintAnswer answer) {
        std::lock_guard<std::mutex> lock(mutex);
        answers.push_back(std::move(answer));
        answered.notify_all();
    });
    std::thread thread([&worker] { worker.run(); });
    const Cells two_away = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0, 14, 15};
    // One of the boards farthest from home: 80 steps, seconds of search.
    const Cells farthest = {0, 12, 9, 13, 15, 11, 10, 14, 3, 7, 2, 5, 4, 8, 6, 1};
    worker.search(farthest);
    worker.search(two_away);
    {
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(answered.wait_for(lock, std::chrono::seconds(60), [&] { return !answers.empty(); }));
    }
    worker.search(farthest);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto stopping = std::chrono::steady_clock::now();
    worker.stop();
    thread.join();
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, std::chrono::milliseconds(300));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].asked, two_away);
    EXPECT_EQ(answers[0].way, (std::vector<int>{14, 15}));
}
