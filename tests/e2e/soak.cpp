// The soak: random actions, a model of the game, and resource samples.
#include "soak.h"

#include <psapi.h>

#include <cstdio>
#include <random>
#include <vector>

#include "check.h"
#include "dialog.h"
#include "faces.h"
#include "game_ids.h"
#include "image.h"
#include "play.h"
#include "presets.h"

namespace e2e {
namespace {

int g_long_soak = 0;

BOOL CALLBACK count_child(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK count_window(HWND window, LPARAM data) {
    auto* state = reinterpret_cast<std::pair<DWORD, int>*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == state->first) {
        ++state->second;
        EnumChildWindows(window, count_child, reinterpret_cast<LPARAM>(&state->second));
    }
    return TRUE;
}

const char* const PICTURES[] = {"clown.bmp", "santa.bmp", "xmasbells.bmp", "sunset.jpg", "flower.gif",
                                "numbers\\puznumbs.bmp"};

// The game as the driver expects it to be.
struct Model {
    Cells board{};
    bool running = false;
    int moves = 0;
    std::string result;
    int clock = 0;  // seconds shown; the real timer may add to it while running
    bool random_deal = false;
    bool muted = false;
    bool magic_counts = true;
    bool number_faces = true;  // the tiles show the number picture
};

}  // namespace

bool choose_picture(App& app, const std::string& name) {
    const LoadOutcome outcome = load_pic(app, name);
    const std::string note = "LOAD PIC " + name;
    CHECK_EQ_AT(outcome.dialog_shown, true, note);
    CHECK_EQ_AT(outcome.dialog_closed, true, note);
    CHECK_EQ_AT(outcome.box_shown, false, note);
    return outcome.dialog_shown && outcome.dialog_closed && !outcome.box_shown;
}

int end_kind_of(const Cells& c, bool magic_squares_count) {
    bool first_thirteen = true;
    for (int i = 0; i < 13; ++i) first_thirteen = first_thirteen && c[i] == i + 1;
    if (first_thirteen && c[13] == 14 && c[14] == 15) return 1;
    if (first_thirteen && c[13] == 15 && c[14] == 14) return 2;
    if (!magic_squares_count) return 0;
    for (int k = 0; k < 4; ++k) {
        if (c[4 * k] + c[4 * k + 1] + c[4 * k + 2] + c[4 * k + 3] != 30) return 0;
        if (c[k] + c[k + 4] + c[k + 8] + c[k + 12] != 30) return 0;
    }
    if (c[0] + c[5] + c[10] + c[15] != 30 || c[3] + c[6] + c[9] + c[12] != 30) return 0;
    return 3;
}

ResourceSample sample_resources(const App& app) {
    ResourceSample s;
    s.gdi_objects = GetGuiResources(app.process(), GR_GDIOBJECTS);
    s.user_objects = GetGuiResources(app.process(), GR_USEROBJECTS);
    std::pair<DWORD, int> state{GetProcessId(app.process()), 0};
    EnumWindows(count_window, reinterpret_cast<LPARAM>(&state));
    s.windows = state.second;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(app.process(), &memory, sizeof memory)) {
        s.working_set = memory.WorkingSetSize;
        s.committed = memory.PagefileUsage;
    }
    return s;
}

void set_long_soak(int actions) { g_long_soak = actions; }
int long_soak_actions() { return g_long_soak; }

void run_soak(App& app, const SoakOptions& options, SoakReport& report) {
    const DWORD started = GetTickCount();
    std::mt19937 random(options.seed);
    auto chance = [&](int n) { return n > 0 && int(random() % unsigned(n)) == 0; };

    // The sample pictures, and "puznumbs.bmp" in a folder of its own: the
    // picture folder already holds "PuzNumbs.bmp", and Wine's file names
    // ignore case for files that exist.
    const std::string pictures = app.folder() + "\\BmpImages";
    CreateDirectoryA((pictures + "\\numbers").c_str(), nullptr);
    CopyFileA((pictures + "\\PuzNumbs.bmp").c_str(), (pictures + "\\numbers\\puznumbs.bmp").c_str(), FALSE);
    Image number_picture;
    REQUIRE(read_bmp(pictures + "\\PuzNumbs.bmp", number_picture));

    Model m;
    REQUIRE(app.read_board(m.board));
    m.result = app.text(RESULT);
    m.moves = 0;

    auto redraw = [&]() {
        RedrawWindow(app.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ++report.redraws;
    };
    // The tile picture is the number picture, or after LOAD PIC of
    // "puznumbs.bmp" the program's snapshot of it; faces are checked only then.
    Image tile_picture = number_picture;
    auto after_load_pic = [&](const std::string& file) {
        m.board = ordered_cells();
        m.magic_counts = file.size() >= 12 && file.compare(file.size() - 12, 12, "puznumbs.bmp") == 0;
        m.number_faces = m.magic_counts && read_bmp(pictures + "\\game_image00.bmp", tile_picture);
    };
    // What the program loads once (the file dialog's libraries, caches) comes
    // before the first sample: a LOAD PIC when the run makes any, a few draws.
    if (options.load_pic_every > 0) {
        REQUIRE(choose_picture(app, PICTURES[5]));
        ++report.pictures;
        after_load_pic(PICTURES[5]);
    }
    for (int i = 0; i < 5; ++i) redraw();
    app.settle();
    report.first = sample_resources(app);
    report.peak_committed = report.first.committed;
    auto print_sample = [&](const char* when, const ResourceSample& s) {
        std::printf("    soak %s: %d actions, %d windows, GDI %lu, USER %lu, working set %.1f MB, committed %.1f MB\n",
                    when, report.actions, s.windows, s.gdi_objects, s.user_objects, s.working_set / 1048576.0,
                    s.committed / 1048576.0);
        std::fflush(stdout);
    };
    print_sample("start", report.first);

    for (int step = 1; step <= options.actions; ++step) {
        const unsigned roll = random() % 100;
        const bool was_running = m.running;
        std::string action;
        if (options.load_pic_every > 0 && !m.running && chance(options.load_pic_every)) {
            const char* name = PICTURES[random() % (sizeof PICTURES / sizeof PICTURES[0])];
            action = std::string("LOAD PIC ") + name;
            if (!choose_picture(app, name)) {
                std::printf("    at action %d (%s)\n", step, action.c_str());
                return;
            }
            ++report.pictures;
            after_load_pic(name);
        } else if (roll < 55) {
            // Mostly tiles that can move, now and then any tile.
            int tile = 1 + int(random() % 15);
            if (m.running && roll < 45) {
                const int e = empty_cell(m.board);
                std::vector<int> in_line;
                for (int i = 0; i < 16; ++i)
                    if (m.board[i] && (i / 4 == e / 4 || i % 4 == e % 4)) in_line.push_back(m.board[i]);
                tile = in_line[random() % in_line.size()];
            }
            action = "tile " + std::to_string(tile);
            app.click(TILE_ID[tile]);
            if (m.running) {
                const bool moved = slide(m.board, tile);
                if (moved) ++m.moves, ++report.moves;
                if (moved || tile <= 8) {
                    const int kind = end_kind_of(m.board, m.magic_counts);
                    // Tiles 1 to 8 announce only a magic square; a move cannot
                    // complete the other two ends with them.
                    if (kind != 0) {
                        m.running = false;
                        ++report.ends;
                        m.result = kind == 1 ? "Solved" : kind == 2 ? "Unsolvable" : "Magic Square";
                    }
                }
            }
        } else if (roll < 65) {
            action = "NEW GAME";
            app.click(NEW_GAME);
            if (!m.running) {
                m.running = true;
                m.moves = 0;
                m.result = " ";
                m.clock = 0;
                ++report.games;
                if (!CHECK(app.read_board(m.board))) return;
                CHECK(is_permutation(m.board));
                if (!m.random_deal) CHECK_EQ_AT(preset_number(m.board) != 0, true, "preset deal at action " + std::to_string(step));
            }
        } else if (roll < 72) {
            action = "CANCEL";
            app.click(CANCEL);
            if (m.running) m.running = false, m.result = "Canceled";
        } else if (roll < 77) {
            action = "check box";
            app.click(m.random_deal ? CHECKBOX_EMPTY : CHECKBOX_CHECKED);
            m.random_deal = !m.random_deal;
        } else if (roll < 82) {
            action = "sound switch";
            app.click(m.muted ? SOUND_OFF : SOUND_ON);
            m.muted = !m.muted;
        } else if (m.running) {
            // Only while a game runs: the real timer never ticks outside one.
            action = "tick";
            const int before = clock_seconds(app.text(TIME));
            app.tick();
            ++report.ticks;
            if (before == 59 * 60 + 59) {
                m.running = false;
                m.result = "Time's up!";
            } else {
                const int after = clock_seconds(app.text(TIME));
                CHECK_EQ_AT(after > before, true, "tick at action " + std::to_string(step));
            }
        } else {
            action = "repaint";
            redraw();
        }
        ++report.actions;

        // The window agrees with the model after every step.
        const std::string at = "action " + std::to_string(step) + " (" + action + ")";
        Cells shown;
        const bool readable = app.read_board(shown);
        const bool same = readable && shown == m.board;
        const bool texts = app.text(MOVES) == std::to_string(m.moves) && app.text(RESULT) == m.result;
        const bool faces = app.visible(CHECKBOX_EMPTY) == m.random_deal &&
                           app.visible(CHECKBOX_CHECKED) == !m.random_deal && app.visible(SOUND_OFF) == m.muted &&
                           app.visible(SOUND_ON) == !m.muted;
        const int clock = clock_seconds(app.text(TIME));
        // The real timer may have ticked until the game ended.
        const bool clock_ok = clock >= 0 && (was_running || m.running ? clock >= m.clock : clock == m.clock);
        if (!same || !texts || !faces || !clock_ok) {
            CHECK_EQ_AT(readable, true, at);
            CHECK_EQ_AT(same, true, at);
            CHECK_EQ_AT(app.text(MOVES), std::to_string(m.moves), at);
            CHECK_EQ_AT(app.text(RESULT), m.result, at);
            CHECK_EQ_AT(faces, true, at);
            CHECK_EQ_AT(app.text(TIME), clock_text(m.clock), at);
            return;
        }
        m.clock = clock;

        if (options.redraw_every > 0 && step % options.redraw_every == 0) redraw();
        if (options.sample_every > 0 && step % options.sample_every == 0) {
            const ResourceSample s = sample_resources(app);
            if (s.committed > report.peak_committed) report.peak_committed = s.committed;
            if (options.verbose) print_sample("now", s);
            // The faces are still drawn: a leak of device contexts or bitmaps
            // would make the drawing fail long before memory runs out.
            if (m.number_faces) check_faces(app, tile_picture, at.c_str());
        }
    }
    redraw();
    app.settle();
    if (m.number_faces) check_faces(app, tile_picture, "at the end of the soak");
    report.last = sample_resources(app);
    if (report.last.committed > report.peak_committed) report.peak_committed = report.last.committed;
    report.milliseconds = GetTickCount() - started;
    print_sample("end", report.last);
    std::printf("    soak: %d actions, %d moves, %d games, %d ends, %d ticks, %d pictures, %d forced repaints in %.1f s\n",
                report.actions, report.moves, report.games, report.ends, report.ticks, report.pictures,
                report.redraws, report.milliseconds / 1000.0);
    std::fflush(stdout);
}

}  // namespace e2e
