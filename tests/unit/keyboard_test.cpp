// The arrow keys' rule on the board, and the keys through the controller.
#include "app/game.h"
#include "board/arrow_move.h"

#include "ids/control_ids.h"
#include "recording_window.h"

#include <gtest/gtest.h>

using Calls = std::vector<std::string>;

TEST(ArrowRule, EachArrowSlidesTheNeighbourOnTheFarSideOfTheEmptyCell) {
    // Row e: the empty cell; then the cell whose tile Left, Right, Up and Down move (0: none).
    const int rows[16][5] = {
        {1, 2, 0, 5, 0},     {2, 3, 1, 6, 0},     {3, 4, 2, 7, 0},     {4, 0, 3, 8, 0},
        {5, 6, 0, 9, 1},     {6, 7, 5, 10, 2},    {7, 8, 6, 11, 3},    {8, 0, 7, 12, 4},
        {9, 10, 0, 13, 5},   {10, 11, 9, 14, 6},  {11, 12, 10, 15, 7}, {12, 0, 11, 16, 8},
        {13, 14, 0, 0, 9},   {14, 15, 13, 0, 10}, {15, 16, 14, 0, 11}, {16, 0, 15, 0, 12},
    };
    const Arrow arrows[] = {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down};
    for (const auto& row : rows) {
        // Each tile stands on the cell of its own number, but for the empty one.
        Board board;
        for (int k = 1; k <= CELL_COUNT; ++k) board.board_cells[k] = k == row[0] ? 0 : k;
        for (int a = 0; a < 4; ++a)
            EXPECT_EQ(tile_for_arrow(board, arrows[a]), row[a + 1]) << "empty cell " << row[0] << ", arrow " << a;
    }
}

namespace {

// A game on a fixed clock, so that two of them deal alike: the first deal is
// preset entry 18, whose empty cell is 12, on the right edge.
struct KeyedGame {
    RecordingWindow window;
    Game game{window, make_paths("C:\\Games\\Tessary\\tessary.exe"), [] { return std::int64_t{1}; }};
};

}  // namespace

TEST(KeyPress, ArrowsAreTileClicksAndAnEdgeIsARefusedOne) {
    struct Row { Key key; int from_cell; };  // 0: no tile on that side
    const Row rows[] = {{Key::Left, 0}, {Key::Right, 11}, {Key::Up, 16}, {Key::Down, 8}};
    for (const Row& r : rows) {
        for (const bool running : {true, false}) {
            KeyedGame pressed, clicked;
            for (KeyedGame* k : {&pressed, &clicked}) {
                if (running) {
                    k->game.new_game();
                    ASSERT_EQ(k->game.view().board_cells[12], 0);
                }
                k->window.calls.clear();
            }
            pressed.game.key_press(r.key);
            if (r.from_cell) clicked.game.tile_click(clicked.game.view().board_cells[r.from_cell]);
            const Calls expected = !running ? Calls{} : r.from_cell ? clicked.window.calls : Calls{"beep"};
            EXPECT_EQ(pressed.window.calls, expected) << "key " << int(r.key) << (running ? " running" : " idle");
            if (running && r.from_cell) {
                EXPECT_EQ(pressed.window.only("sound"), Calls{"sound WAVE_TILE_MOVE"});
            }
        }
    }
}

TEST(KeyPress, F2AndF1AreTheNewGameAndHelpButtons) {
    for (const bool running : {false, true}) {
        for (const bool help_opens : {true, false}) {
            for (const auto& [key, button] : {std::pair{Key::F2, ID_NEW_GAME}, {Key::F1, ID_HELP}}) {
                KeyedGame pressed, clicked;
                for (KeyedGame* k : {&pressed, &clicked}) {
                    k->window.help_opens = help_opens;
                    if (running) k->game.new_game();
                }
                pressed.game.key_press(key);
                clicked.game.command(button);
                EXPECT_EQ(pressed.window.calls, clicked.window.calls) << "button " << button;
                EXPECT_EQ(pressed.game.view().board_cells, clicked.game.view().board_cells);
            }
        }
    }
}
