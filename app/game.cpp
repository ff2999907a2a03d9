// The game's commands, clock, tile clicks and end announcements.
#include "app/game.h"

#include "board/arrow_move.h"
#include "files/files.h"
#include "ids/control_ids.h"
#include "ids/wave_ids.h"
#include "sound/sound_choice.h"

#include <algorithm>

namespace {

constexpr char RESULT_NEW_GAME[] = " ";
constexpr char RESULT_CANCELED[] = "Canceled";
constexpr char RESULT_TIME_UP[] = "Time's up!";
constexpr char RESULT_SOLVED[] = "Solved";
constexpr char RESULT_UNSOLVABLE[] = "Unsolvable";
constexpr char RESULT_MAGIC_SQUARE[] = "Magic Square";
// After the number of single-tile steps a hint's way takes: "44 to go".
constexpr char RESULT_STEPS_TO_GO[] = " to go";

// Everything after the last occurrence of mark; the whole text when there is none.
std::string after_last(const std::string& text, char mark) {
    const std::size_t at = text.rfind(mark);
    return at == std::string::npos ? text : text.substr(at + 1);
}

// A PNG file by its first bytes, whatever its name says: Windows' own picture
// loader reads no PNG, and browsers save PNGs as ".jpg" or "Photo.Png".
bool begins_like_png(const std::string& path) {
    static const std::string SIGNATURE = "\x89PNG\r\n\x1a\n";
    std::string start;
    return read_file_start(path, SIGNATURE.size(), start) == FileStatus::Ok && start == SIGNATURE;
}

constexpr char PICTURE_FAILED_TEXT[] = "Image failed to load. . . ";
constexpr char PICTURE_FAILED_CAPTION[] = "Tessary Error";

// Decimal text without padding: the move counter's text.
std::string format_number(int value) { return std::to_string(value); }

// "m:ss", minutes unpadded: the clock and a new best time.
std::string time_text(int minutes, int seconds) {
    return format_number(minutes) + (seconds < 10 ? ":0" : ":") + format_number(seconds);
}

// The tile handlers fall into three groups by which ends their tile can complete.
// The ordered and the exchanged board both have the empty cell at the bottom
// right, so only the tile that leaves cell 16 can complete them: 12 or 15 for the
// ordered board, 12 or 14 for the exchanged one. Any tile can complete a magic square.
enum class TileGroup {
    MagicOnly,  // 1..8: magic squares only, tested after every click, moved or not
    Full,       // 9, 10, 11, 13, 14: every end, after a move
    Record,     // 12, 15: every end, after a move, solved ones with the record step
};

TileGroup tile_group(int tile) {
    if (tile >= 1 && tile <= 8) return TileGroup::MagicOnly;
    if (tile == 12 || tile == 15) return TileGroup::Record;
    return TileGroup::Full;
}

// The board after a tile next to the empty cell steps into it.
Cells after_step(Cells cells, int tile) {
    const auto at = [&cells](int value) { return std::find(cells.begin(), cells.end(), value); };
    std::iter_swap(at(0), at(tile));
    return cells;
}

}  // namespace

Game::Game(GameWindow& window, GamePaths game_paths, std::function<std::int64_t()> calendar_time)
    : window_(window), paths(std::move(game_paths)) {
    reset_board(board);
    reset_tile_positions(board);
    deal.calendar_time = std::move(calendar_time);
    pictures.tile_picture_path = paths.number_picture_path;
    record.stats_path = paths.stats_path;
}

void Game::show_best_record() {
    const StartUpRecord shown = read_best_record(record);
    best_time_text = shown.best_time_text;
    best_moves_text = shown.best_moves_text;
    window_.set_text(ID_BEST_TIME, best_time_text);
    window_.set_text(ID_LEAST_MOVES, best_moves_text);
}

void Game::command(int control_id) {
    switch (control_id) {
        case ID_NEW_GAME: new_game(); return;
        case ID_LOAD_PIC: load_pic(); return;
        case ID_CANCEL: cancel_game(); return;
        case ID_HELP: show_help(); return;
        case ID_MINIMIZE: minimize(); return;
        case ID_CLOSE: close(); return;
        case ID_CHECKBOX_EMPTY: select_preset_deals(); return;
        case ID_CHECKBOX_CHECKED: select_random_deals(); return;
        case ID_SOUND_ON: mute_moves(); return;
        case ID_SOUND_OFF: unmute_moves(); return;
        default: break;
    }
    if (const int tile = tile_for_control(control_id)) tile_click(tile);
}

void Game::mouse_down(int x, int y) {
    if (x >= drag_rect.left && x < drag_rect.right && y >= drag_rect.top && y < drag_rect.bottom)
        window_.begin_window_drag(x, y);
}

void Game::key_press(Key key) {
    Arrow arrow;
    switch (key) {
        case Key::F1: show_help(); return;
        case Key::F2: new_game(); return;
        case Key::H: show_hint(); return;
        case Key::Left: arrow = Arrow::Left; break;
        case Key::Right: arrow = Arrow::Right; break;
        case Key::Up: arrow = Arrow::Up; break;
        case Key::Down: arrow = Arrow::Down; break;
        default: return;
    }
    // Like a tile click, an arrow does nothing at all while no game runs.
    if (game_running != 1) return;
    // No tile on that side of the empty cell: a click that moves nothing.
    if (const int tile = tile_for_arrow(board, arrow)) tile_click(tile);
    else window_.beep();
}

void Game::place_tiles_from_positions() {
    for (int t = 1; t <= 15; ++t) window_.place_tile(t, board.tile_positions[t]);
}

void Game::new_game() {
    if (game_running != 0) {
        window_.beep();
        return;
    }
    window_.play_sound(WAVE_NEW_GAME);
    hint = Hint();
    elapsed_minutes = 0;
    elapsed_seconds = 0;
    time_up = 0;
    window_.start_clock();
    move_count = 0;
    game_running = 1;
    window_.set_text(ID_MOVES, "0");
    window_.set_text(ID_TIME, "0:00");
    window_.set_text(ID_RESULT, RESULT_NEW_GAME);
    if (use_random_deal == 1) deal_random(board, deal);
    if (use_random_deal == 0) deal_preset(board, deal);
    place_tiles_from_positions();
    window_.repaint_window();
}

void Game::load_pic() {
    if (game_running != 0) {
        window_.beep();
        return;
    }
    window_.play_sound(WAVE_BUTTON_CLICK);
    const int number_picture_before = pictures.number_picture_active;
    // Cleared before the dialog, so a cancelled dialog leaves the magic squares off too.
    pictures.number_picture_active = 0;
    std::string chosen;
    const bool picked = window_.choose_picture(paths.picture_folder, chosen);
    bool shown = true;
    if (picked) shown = import_picture(chosen);
    else window_.load_preview(pictures.tile_picture_path);  // the picture the tiles already use
    // Also after a cancelled dialog: the preview's pixels become the current picture.
    const bool kept = shown && write_current_picture(
                                   [this] { return window_.save_preview_snapshot(paths.current_picture_path); });
    if (kept) pictures.tile_picture_path = paths.current_picture_path;
    if (picked && !kept) {
        // Unreadable, or nowhere to keep it: the panel, the current picture and the
        // tiles' picture stay as they were, and the file's name has no effect.
        if (shown) window_.load_preview(pictures.tile_picture_path);
        pictures.number_picture_active = number_picture_before;
        window_.show_message(PICTURE_FAILED_TEXT, PICTURE_FAILED_CAPTION);
        window_.repaint_window();  // the tiles put in order, also where the box stood
        return;
    }
    window_.repaint_window();

    if (picked) {
        pictures.chosen_file_name = after_last(chosen, '\\');
        // Case-sensitive on purpose: only "puznumbs.bmp" brings the magic squares back.
        if (pictures.chosen_file_name == "puznumbs.bmp") pictures.number_picture_active = 1;
    }
    const PictureSound effect = picture_sound(pictures.chosen_file_name, sound_theme);
    if (effect.sound != NO_SOUND) {
        window_.play_sound(effect.sound);
        // Played once: a later LOAD PIC whose dialog is cancelled does not play it again.
        pictures.chosen_file_name.clear();
    }
    sound_theme = effect.sound_theme;
}

bool Game::write_current_picture(const std::function<bool()>& write) {
    return write() || (move_current_picture(paths) && write());
}

bool Game::import_picture(const std::string& chosen) {
    // A PNG is converted into the current picture; any other file goes to the picture loader as it is.
    const bool png = begins_like_png(chosen);
    PngResult converted = PngResult::Refused;
    if (png)
        write_current_picture([&] {
            converted = window_.import_png(chosen, paths.current_picture_path);
            return converted != PngResult::NotWritten;
        });
    reset_tile_positions(board);
    place_tiles_from_positions();
    reset_board(board);
    if (png && converted != PngResult::Written) return false;
    if (!window_.load_preview(png ? paths.current_picture_path : chosen)) {
        // The conversion took the current picture's place: the panel's picture goes back.
        if (png) window_.save_preview_snapshot(paths.current_picture_path);
        return false;
    }
    return true;
}

void Game::cancel_game() {
    if (game_running != 1) {
        window_.beep();
        return;
    }
    window_.play_sound(WAVE_BUTTON_CLICK);
    window_.stop_clock();
    game_running = 0;
    end_kind = END_NONE;
    clear_hint();
    window_.set_text(ID_RESULT, RESULT_CANCELED);
}

void Game::show_help() {
    if (!window_.open_help(paths.help_path))
        window_.show_message("Help file could not be opened...", "Error - Tessary");
}

void Game::minimize() {
    window_.play_sound(WAVE_MINIMIZE);
    window_.minimize_window();
}

void Game::close() {
    if (game_running == 1) window_.stop_clock();
    window_.destroy_window();
}

void Game::select_preset_deals() {
    use_random_deal = 0;
    window_.show_control(ID_CHECKBOX_CHECKED, true);
    window_.show_control(ID_CHECKBOX_EMPTY, false);
}

void Game::select_random_deals() {
    use_random_deal = 1;
    window_.show_control(ID_CHECKBOX_EMPTY, true);
    window_.show_control(ID_CHECKBOX_CHECKED, false);
}

void Game::mute_moves() {
    window_.play_sound(WAVE_BUTTON_CLICK);
    ++sound_toggle_count;
    window_.show_control(ID_SOUND_ON, false);
    window_.show_control(ID_SOUND_OFF, true);
}

void Game::unmute_moves() {
    window_.play_sound(WAVE_BUTTON_CLICK);
    ++sound_toggle_count;
    window_.show_control(ID_SOUND_ON, true);
    window_.show_control(ID_SOUND_OFF, false);
}

void Game::clock_tick() {
    clock_text.clear();
    if (elapsed_minutes == 59 && elapsed_seconds == 59) {
        // One hour: the clock stays at 59:59.
        clear_hint();
        time_up = 1;
        window_.set_text(ID_RESULT, RESULT_TIME_UP);
        window_.stop_clock();
        game_running = 0;
    }
    if (time_up != 0) return;
    ++elapsed_seconds;
    std::string text;
    if (elapsed_seconds > 59) {
        ++elapsed_minutes;
        elapsed_seconds = 0;
        text = format_number(elapsed_minutes) + ":00";
    } else {
        text = time_text(elapsed_minutes, elapsed_seconds);
    }
    clock_text = text;
    window_.set_text(ID_TIME, clock_text);
}

bool Game::magic_square_counts() const {
    return end_kind == END_MAGIC_SQUARE && pictures.number_picture_active == 1;
}

void Game::tile_click(int tile) {
    if (game_running != 1) return;
    const Slide slide = move_tile(board, tile);
    for (int i = 0; i < slide.count; ++i) window_.place_tile(slide.placed[i].tile, slide.placed[i].position);
    if (board.tile_moved == 1) {
        clear_hint();
        const int sound = tile_move_sound(sound_toggle_count, sound_theme);
        if (sound != NO_SOUND) window_.play_sound(sound);
        ++move_count;  // one move however many tiles slid
        move_count_text = format_number(move_count);
        window_.set_text(ID_MOVES, move_count_text);
    }
    TileGroup group = tile_group(tile);
    // After a hint the game still ends, but without the record step.
    if (group == TileGroup::Record && hint.shown == 1) group = TileGroup::Full;
    if (board.tile_moved == 0) {
        window_.beep();
        // Tiles 1..8 test the unchanged board all the same.
        if (group != TileGroup::MagicOnly) return;
    }
    end_found(check_end_position(board, pictures.number_picture_active));
    switch (group) {
        case TileGroup::MagicOnly: announce_magic_only(); break;
        case TileGroup::Full: announce_full(); break;
        case TileGroup::Record: announce_record(tile); break;
    }
}

// An end stops the game; the move counter keeps showing the final count.
void Game::end_found(EndKind kind) {
    if (kind == END_NONE) return;
    game_running = 0;
    end_kind = kind;
    move_count_text.clear();
}

// Tiles 1..8 can complete only a magic square.
void Game::announce_magic_only() {
    if (!magic_square_counts()) return;
    window_.stop_clock();
    end_kind = END_NONE;
    window_.play_sound(magic_only_end_sound());
    window_.set_text(ID_RESULT, RESULT_MAGIC_SQUARE);
}

void Game::announce_full() {
    if (end_kind == END_ORDERED || magic_square_counts()) {
        window_.stop_clock();
        window_.play_sound(full_end_sound(sound_theme));
        show_win_result();
    }
    announce_unsolvable();
}

// Tiles 12 and 15 are the only ones that can complete the ordered board.
void Game::announce_record(int tile) {
    if (end_kind == END_ORDERED || magic_square_counts()) {
        window_.stop_clock();
        RecordOutcome outcome = record_step(record, elapsed_minutes, elapsed_seconds, move_count);
        // Faster, but not written beside the program: compared and kept in the player's place instead.
        if (outcome.finishing_time < outcome.best_time && !outcome.new_record && move_record(paths)) {
            record.stats_path = paths.stats_path;
            outcome = record_step(record, elapsed_minutes, elapsed_seconds, move_count);
        }
        if (outcome.new_record) {
            window_.play_sound(WAVE_NEW_RECORD);
            best_time_text = time_text(elapsed_minutes, elapsed_seconds);
            window_.set_text(ID_BEST_TIME, best_time_text);
            best_moves_text = format_number(move_count);
            window_.set_text(ID_LEAST_MOVES, best_moves_text);
        }
        const int sound = record_end_sound(tile, sound_theme, outcome.finishing_time, outcome.best_time,
                                           record.record_written);
        if (sound != NO_SOUND) window_.play_sound(sound);
        show_win_result();
    }
    announce_unsolvable();
}

// "Solved" or "Magic Square" for the end just found, which is then cleared.
void Game::show_win_result() {
    if (end_kind == END_ORDERED) {
        window_.set_text(ID_RESULT, RESULT_SOLVED);
        end_kind = END_NONE;
    }
    if (magic_square_counts()) {
        window_.set_text(ID_RESULT, RESULT_MAGIC_SQUARE);
        end_kind = END_NONE;
    }
}

void Game::announce_unsolvable() {
    if (end_kind != END_EXCHANGED) return;
    window_.stop_clock();
    end_kind = END_NONE;
    window_.play_sound(unsolvable_sound());
    window_.set_text(ID_RESULT, RESULT_UNSOLVABLE);
}

void Game::show_hint() {
    if (game_running != 1) return;
    const Cells now = cells_of(board);
    if (follows_hint_way(now)) {
        display_hint();
        return;
    }
    // Already being looked for: the answer is on its way.
    if (hint.searching && hint.asked == now) return;
    hint.searching = true;
    hint.asked = now;
    window_.find_hint(now);
}

void Game::hint_found(const Cells& asked, const std::vector<int>& way) {
    // An answer that is no longer wanted, or for a board the player has left, is dropped.
    if (!hint.searching || asked != hint.asked) return;
    hint.searching = false;
    if (game_running != 1 || cells_of(board) != asked) return;
    hint.way = way;
    hint.next = 0;
    hint.at = asked;
    display_hint();
}

// The frame on the next tile of the way, and the steps left on it in the result box.
void Game::display_hint() {
    if (hint.next == hint.way.size()) return;  // already at its end
    hint.shown = 1;
    hint.tile = hint.way[hint.next];
    window_.show_hint(hint.tile);
    window_.set_text(ID_RESULT, format_number(static_cast<int>(hint.way.size() - hint.next)) + RESULT_STEPS_TO_GO);
}

// Whether the board stands on the way of the last hint: where it was taken, or
// up to three steps further along it, since one click can slide three tiles.
bool Game::follows_hint_way(const Cells& now) {
    Cells along = hint.at;
    for (std::size_t next = hint.next; next <= hint.way.size() && next <= hint.next + 3; ++next) {
        if (along == now) {
            hint.next = next;
            hint.at = along;
            return true;
        }
        if (next < hint.way.size()) along = after_step(along, hint.way[next]);
    }
    return false;
}

void Game::clear_hint() {
    if (hint.searching) {
        hint.searching = false;
        window_.abandon_hint();
    }
    if (hint.tile == 0) return;
    hint.tile = 0;
    window_.show_hint(0);
    // The box is empty again during a game; an end or CANCEL writes its own text next.
    window_.set_text(ID_RESULT, RESULT_NEW_GAME);
}
