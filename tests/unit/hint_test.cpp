// The hint through the controller and a recording window: H only while a game
// runs, the frame until the next move, and a game played on hints that ends
// as usual, in the fewest moves, without a best record.
#include "game_fixture.h"

#include <algorithm>

using Calls = std::vector<std::string>;

class HintTest : public GameFixture {
protected:
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
    game.key_press(Key::H);
    const int tile = hinted();
    EXPECT_TRUE(next_to_empty(tile)) << tile;
    game.key_press(Key::H);
    EXPECT_EQ(window.calls, (Calls{"hint " + std::to_string(tile), "hint " + std::to_string(tile)}));

    // A click that moves nothing keeps the frame; a move, any move, takes it away.
    window.calls.clear();
    game.tile_click(tiles(false).front());
    EXPECT_EQ(window.calls, Calls{"beep"});
    const std::vector<int> movable = tiles(true);
    game.tile_click(movable.front() != tile ? movable.front() : movable.back());
    EXPECT_EQ(window.only("hint"), Calls{"hint 0"});

    // So does CANCEL; then H does nothing.
    game.key_press(Key::H);
    window.calls.clear();
    game.cancel_game();
    EXPECT_EQ(window.only("hint"), Calls{"hint 0"});
    window.calls.clear();
    game.key_press(Key::H);
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
            game.key_press(Key::H);
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
        EXPECT_EQ(window.only("text 2500"), Calls{random ? "text 2500 Unsolvable" : "text 2500 Solved"});
        EXPECT_EQ(window.only("sound").back(), random ? "sound WAVE_UNSOLVABLE" : "sound WAVE_WIN");
        EXPECT_TRUE(window.only("text 4150").empty());
        EXPECT_EQ(stored(), "59 59 998");
    }
}
