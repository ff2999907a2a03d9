// The game controller: every decision of the game, driven by the window's
// messages and answered through GameWindow. Portable; no Windows headers.
#pragma once

#include "app/game_paths.h"
#include "app/game_window.h"
#include "board/board.h"
#include "board/deal.h"
#include "board/end_position.h"
#include "record/best_record.h"
#include "solver/solver.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The part of the title bar that drags the window (right and bottom excluded).
struct Rect {
    int left, top, right, bottom;
};

// The keys the game answers while its window is active.
enum class Key { Left, Right, Up, Down, F1, F2, H };

class Game {
public:
    // Seconds of calendar time seed the deals; the clock of the running system
    // unless another is given.
    Game(GameWindow& window, GamePaths paths, std::function<std::int64_t()> calendar_time = nullptr);

    // Start-up, once the controls exist: reads the best record and shows it.
    void show_best_record();

    // WM_COMMAND with a control identifier; unknown identifiers do nothing.
    void command(int control_id);
    // WM_TIMER.
    void clock_tick();
    // WM_LBUTTONDOWN on the window's own client area.
    void mouse_down(int x, int y);
    // A key press: an arrow clicks the tile it slides, F2 is NEW GAME, F1 is HELP, H the hint.
    void key_press(Key key);

    // The commands, also reachable through command().
    void new_game();
    void load_pic();
    void cancel_game();
    void show_help();
    void minimize();
    void close();
    void select_preset_deals();  // ID_CHECKBOX_EMPTY
    void select_random_deals();  // ID_CHECKBOX_CHECKED
    void mute_moves();           // ID_SOUND_ON
    void unmute_moves();         // ID_SOUND_OFF
    void tile_click(int tile);
    // While a game runs: highlights the tile that starts a shortest way to the
    // end the board can reach, and shows how many steps that way takes, until the
    // next move. Such a game sets no record. A board off the last way is searched
    // beside the window, and shown once hint_found brings its way.
    void show_hint();
    // The way home from the board `asked`, found beside the window. Shown only if
    // it is the search still wanted and the board has not changed since.
    void hint_found(const Cells& asked, const std::vector<int>& way);

    // The file the tile faces are cut from.
    const std::string& tile_picture_path() const { return pictures.tile_picture_path; }
    // The tile drawn highlighted as the hint, 0 for none.
    int hinted_tile() const { return hint.tile; }

    // A look at the state that the window does not show as text.
    struct View {
        std::array<int, CELL_COUNT + 1> board_cells;
        int game_running;
        int number_picture_active;
        int sound_theme;
    };
    View view() const { return {board.board_cells, game_running, pictures.number_picture_active, sound_theme}; }

    static constexpr Rect drag_rect{0, 0, 540, 25};

private:
    // Which picture the tiles show and what the last LOAD PIC chose.
    struct PictureState {
        int number_picture_active = 1;  // magic squares count only while 1
        std::string chosen_file_name;
        std::string tile_picture_path;
    };

    // The shortest way the last hint was taken from, kept while the player follows it.
    struct Hint {
        int tile = 0;    // highlighted, 0 for none
        int shown = 0;   // 1 once this game showed a hint: it sets no best record
        std::vector<int> way;
        std::size_t next = 0;  // way[next] is the step from `at`
        Cells at{};
        bool searching = false;  // a search for `asked` runs beside the window
        Cells asked{};
    };

    bool follows_hint_way(const Cells& now);
    void display_hint();
    // Takes the frame and the steps to go away, and stops a search in flight.
    void clear_hint();
    // The chosen file in the panel and the board in order; false when it cannot be read either way.
    bool import_picture(const std::string& chosen);
    // Runs write, which writes the current picture; once more in the player's
    // place when it fails beside the program. False when it failed.
    bool write_current_picture(const std::function<bool()>& write);
    void place_tiles_from_positions();
    void end_found(EndKind kind);
    void announce_magic_only();
    void announce_full();
    void announce_record(int tile);
    void announce_unsolvable();
    void show_win_result();
    bool magic_square_counts() const;

    GameWindow& window_;
    GamePaths paths;
    Board board;
    DealState deal;
    BestRecord record;
    PictureState pictures;
    Hint hint;
    int game_running = 0;
    int end_kind = END_NONE;
    int use_random_deal = 0;
    int move_count = 0;
    std::string move_count_text;  // emptied at an end; the window keeps the count
    int elapsed_minutes = 0;
    int elapsed_seconds = 0;
    int time_up = 1;  // a tick does nothing until NEW GAME
    std::string clock_text;
    int sound_toggle_count = 0;  // odd: tile moves are silent
    int sound_theme = 0;
    std::string best_time_text;
    std::string best_moves_text;
};
