// The board, the slide rule, the deals and the end test.
#include "board/board.h"
#include "board/deal.h"
#include "board/end_position.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

namespace {

struct Placement {
    int tile;
    Point at;
    friend bool operator==(const Placement& a, const Placement& b) { return a.tile == b.tile && a.at == b.at; }
};

// The placements of one slide, in order.
std::vector<Placement> placements(const Slide& slide) {
    std::vector<Placement> placed;
    for (int i = 0; i < slide.count; ++i) placed.push_back({slide.placed[i].tile, slide.placed[i].position});
    return placed;
}

// A board from 16 cell values, row by row.
Board board_of(const std::array<int, 16>& cells) {
    Board b;
    for (int k = 1; k <= 16; ++k) b.board_cells[k] = cells[k - 1];
    return b;
}

// The ordered board with the empty cell moved to `empty` by swapping it with the tile there.
Board ordered_with_empty_at(int empty) {
    Board b;
    reset_board(b);
    std::swap(b.board_cells[16], b.board_cells[empty]);
    return b;
}

int empty_cell(const Board& b) {
    for (int k = 1; k <= 16; ++k)
        if (b.board_cells[k] == 0) return k;
    return 0;
}

void expect_permutation(const Board& b) {
    EXPECT_EQ(b.board_cells[0], 0);
    std::vector<int> values(b.board_cells.begin() + 1, b.board_cells.end());
    std::sort(values.begin(), values.end());
    for (int v = 0; v < 16; ++v) EXPECT_EQ(values[v], v);
}

// The ordered class: permutation parity (empty cell as the 16th piece) equals the
// parity of the empty cell's taxicab distance from cell 16.
bool solvable(const std::array<int, 16>& cells) {
    std::array<int, 16> p{};
    for (int i = 0; i < 16; ++i) p[i] = cells[i] == 0 ? 16 : cells[i];
    int inversions = 0;
    for (int i = 0; i < 16; ++i)
        for (int j = i + 1; j < 16; ++j) inversions += p[i] > p[j];
    int empty = int(std::find(cells.begin(), cells.end(), 0) - cells.begin());
    int distance = (3 - empty / 4) + (3 - empty % 4);
    return inversions % 2 == distance % 2;
}

}  // namespace

TEST(CellGeometry, CellPositionsFollowThePitch) {
    EXPECT_EQ(cell_position(1), (Point{30, 54}));
    EXPECT_EQ(cell_position(4), (Point{273, 54}));
    EXPECT_EQ(cell_position(7), (Point{192, 135}));
    EXPECT_EQ(cell_position(16), (Point{273, 297}));
}

TEST(CellGeometry, ResetsPutTilesAndPositionsInOrder) {
    Board b;
    b.board_cells.fill(7);
    reset_board(b);
    for (int k = 0; k <= 15; ++k) EXPECT_EQ(b.board_cells[k], k);
    EXPECT_EQ(b.board_cells[16], 0);
    reset_tile_positions(b);
    for (int k = 1; k <= 16; ++k) EXPECT_EQ(b.tile_positions[k], cell_position(k));
}

TEST(CellGeometry, MoveTargetIgnoresCellsOutsideTheBoard) {
    Board b;
    b.move_target() = {5, 6};
    for (int bad : {0, -1, 17, 100}) {
        b.move_target_cell = bad;
        set_move_target(b);
        EXPECT_EQ(b.move_target(), (Point{5, 6})) << bad;
    }
    for (int k = 1; k <= 16; ++k) {
        b.move_target_cell = k;
        set_move_target(b);
        EXPECT_EQ(b.move_target(), cell_position(k));
    }
}

// One row of the slide table: where the empty cell is, which cell is clicked,
// and the buttons placed, farthest first.
struct SlideCase {
    const char* name;
    int empty;
    int clicked_cell;
    std::vector<std::pair<int, int>> placed;  // (from cell, to cell) in placement order
};

void PrintTo(const SlideCase& c, std::ostream* os) { *os << c.name; }

class Slides : public ::testing::TestWithParam<SlideCase> {};

TEST_P(Slides, TilesSlideTowardTheEmptyCellFarthestFirst) {
    const SlideCase& c = GetParam();
    Board b = ordered_with_empty_at(c.empty);
    const Board before = b;
    const int tile = b.board_cells[c.clicked_cell];
    const Slide slide = move_tile(b, tile);

    ASSERT_EQ(b.tile_moved, 1);
    std::vector<Placement> expected;
    for (auto [from, to] : c.placed) expected.push_back({before.board_cells[from], cell_position(to)});
    EXPECT_EQ(placements(slide), expected);
    for (auto [from, to] : c.placed) EXPECT_EQ(b.board_cells[to], before.board_cells[from]);
    EXPECT_EQ(b.board_cells[c.clicked_cell], 0) << "the empty cell is where the clicked tile stood";
    expect_permutation(b);
}

INSTANTIATE_TEST_SUITE_P(
    AllDirections, Slides,
    ::testing::Values(
        SlideCase{"one_right", 8, 7, {{7, 8}}}, SlideCase{"one_left", 5, 6, {{6, 5}}},
        SlideCase{"one_down", 16, 12, {{12, 16}}}, SlideCase{"one_up", 2, 6, {{6, 2}}},
        SlideCase{"two_right", 4, 2, {{3, 4}, {2, 3}}}, SlideCase{"two_left", 13, 15, {{14, 13}, {15, 14}}},
        SlideCase{"two_down", 14, 6, {{10, 14}, {6, 10}}}, SlideCase{"two_up", 3, 11, {{7, 3}, {11, 7}}},
        SlideCase{"three_right", 4, 1, {{3, 4}, {2, 3}, {1, 2}}},
        SlideCase{"three_left", 9, 12, {{10, 9}, {11, 10}, {12, 11}}},
        SlideCase{"three_down", 14, 2, {{10, 14}, {6, 10}, {2, 6}}},
        SlideCase{"three_up", 4, 16, {{8, 4}, {12, 8}, {16, 12}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every empty cell against every clicked cell, held against the plain rule: a
// tile in the empty cell's row or column slides toward it with the tiles
// between; any other click (across a row end, diagonal, the empty cell) moves nothing.
TEST(Slides, EveryClickFromEveryEmptyCellFollowsTheLineRule) {
    for (int empty = 1; empty <= 16; ++empty)
        for (int clicked = 1; clicked <= 16; ++clicked) {
            Board b = ordered_with_empty_at(empty);
            b.move_target() = {-1, -1};
            const Board before = b;
            const int er = (empty - 1) / 4, ec = (empty - 1) % 4, kr = (clicked - 1) / 4, kc = (clicked - 1) % 4;
            const bool in_line = clicked != empty && (er == kr || ec == kc);
            const Slide slide = move_tile(b, before.board_cells[clicked]);
            ASSERT_EQ(b.tile_moved, in_line ? 1 : 0) << "empty " << empty << ", clicked " << clicked;
            if (!in_line) {
                EXPECT_EQ(b.board_cells, before.board_cells);
                EXPECT_EQ(b.move_target(), (Point{-1, -1}));
                EXPECT_EQ(slide.count, 0);
                continue;
            }
            // Each cell from the empty one back to the clicked one takes its neighbour's tile.
            const int step = er == kr ? (kc > ec ? 1 : -1) : (kr > er ? 4 : -4);
            Board expected = before;
            for (int k = empty; k != clicked; k += step) expected.board_cells[k] = before.board_cells[k + step];
            expected.board_cells[clicked] = 0;
            EXPECT_EQ(b.board_cells, expected.board_cells) << "empty " << empty << ", clicked " << clicked;
            EXPECT_EQ(slide.count, std::abs(clicked - empty) / std::abs(step));
        }
}

TEST(Slides, RandomClicksKeepTheBoardConsistent) {
    std::mt19937 rng(20261207);
    DealState deal;
    deal.calendar_time = [] { return std::int64_t{42}; };
    for (int game = 0; game < 200; ++game) {
        Board b;
        deal_random(b, deal);
        const auto dealt_positions = b.tile_positions;
        for (int click = 0; click < 50; ++click) {
            const int tile = int(rng() % 15) + 1;
            const Board before = b;
            const std::vector<Placement> placed = placements(move_tile(b, tile));
            expect_permutation(b);
            for (int t = 2; t <= 16; ++t) ASSERT_EQ(b.tile_positions[t], dealt_positions[t]);
            if (b.tile_moved) {
                int from = 0;
                for (int k = 1; k <= 16; ++k)
                    if (before.board_cells[k] == tile) from = k;
                ASSERT_EQ(empty_cell(b), from);
                ASSERT_FALSE(placed.empty());
                ASSERT_EQ(placed.back().tile, tile) << "the clicked tile is placed last";
                for (const Placement& p : placed) {
                    int cell = 0;
                    for (int k = 1; k <= 16; ++k)
                        if (b.board_cells[k] == p.tile) cell = k;
                    ASSERT_EQ(p.at, cell_position(cell));
                }
            } else {
                ASSERT_EQ(b.board_cells, before.board_cells);
                ASSERT_TRUE(placed.empty());
            }
        }
    }
}

TEST(PresetTable, EveryEntryIsAFairStart) {
    const int expected_empty[24] = {16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,
                                    16, 16, 16, 16, 16, 12, 4,  9,  1,  5,  11, 11};
    for (int e = 1; e <= 24; ++e) {
        const auto& cells = PRESET_LAYOUTS[e - 1];
        Board b = board_of(cells);
        expect_permutation(b);
        EXPECT_TRUE(solvable(cells)) << "entry " << e;
        EXPECT_EQ(empty_cell(b), expected_empty[e - 1]) << "entry " << e;
        EXPECT_EQ(check_end_position(b, 1), END_NONE) << "entry " << e << " is already an end position";
        if (e <= 15)
            for (int k = 1; k <= 16; ++k)
                if (cells[k - 1]) {
                    EXPECT_EQ(cells[k - 1] % 2, k % 2) << "entry " << e << " cell " << k;
                }
    }
    EXPECT_EQ(PRESET_LAYOUTS[22], PRESET_LAYOUTS[23]);
}

TEST(PresetTable, Entry21LeavesTheTopLeftEmpty) {
    EXPECT_EQ(PRESET_LAYOUTS[20][0], 0);
    EXPECT_EQ(PRESET_LAYOUTS[20][1], 14);  // tile 14 stands at (111, 54)
}

TEST(Deals, EveryDealIsAPermutationWithMatchingPositions) {
    DealState deal;
    deal.calendar_time = [] { return std::int64_t{7}; };
    for (int i = 0; i < 500; ++i) {
        Board b;
        reset_tile_positions(b);
        const Point entry16 = b.tile_positions[16];
        if (i % 2) {
            deal_random(b, deal);
        } else {
            deal_preset(b, deal);
        }
        expect_permutation(b);
        for (int k = 1; k <= 16; ++k)
            if (int t = b.board_cells[k]) {
                ASSERT_EQ(b.tile_positions[t], cell_position(k));
            }
        EXPECT_EQ(b.tile_positions[16], entry16);
        EXPECT_EQ(deal.dealt_tiles, 0);
    }
    EXPECT_EQ(deal.deal_count, 500);
}

TEST(Deals, TheGeneratorIsSeededOnceWhicheverDealComesFirst) {
    for (bool random_first : {true, false}) {
        DealState deal;
        int clock_reads = 0;
        deal.calendar_time = [&] { ++clock_reads; return std::int64_t{1700000000}; };
        Board b;
        if (random_first) {
            deal_random(b, deal);
        } else {
            deal_preset(b, deal);
        }
        deal_random(b, deal);
        deal_preset(b, deal);
        EXPECT_EQ(clock_reads, 1);
        EXPECT_EQ(deal.deal_count, 3);
    }
}

TEST(Deals, SameSecondSameDeal) {
    auto deal_at = [](std::int64_t second) {
        DealState deal;
        deal.calendar_time = [=] { return second; };
        Board b;
        deal_random(b, deal);
        return b.board_cells;
    };
    EXPECT_EQ(deal_at(1000), deal_at(1000));
    EXPECT_NE(deal_at(1000), deal_at(1001));
}

TEST(Deals, PresetEntriesComeUpEvenly) {
    DealState deal;
    deal.calendar_time = [] { return std::int64_t{12345}; };
    std::map<std::array<int, 16>, int> seen;
    const int deals = 48000;
    for (int i = 0; i < deals; ++i) {
        Board b;
        deal_preset(b, deal);
        std::array<int, 16> cells;
        std::copy(b.board_cells.begin() + 1, b.board_cells.end(), cells.begin());
        ++seen[cells];
    }
    ASSERT_EQ(seen.size(), 23u);
    for (int e = 1; e <= 22; ++e) EXPECT_NEAR(seen[PRESET_LAYOUTS[e - 1]], deals / 24, deals / 24 / 5) << e;
    EXPECT_NEAR(seen[PRESET_LAYOUTS[22]], 2 * deals / 24, 2 * deals / 24 / 5);
}

TEST(Deals, RandomDealsPutEveryTileEverywhere) {
    DealState deal;
    deal.calendar_time = [] { return std::int64_t{99}; };
    int counts[16][17] = {};
    int solvable_deals = 0;
    const int deals = 16000;
    for (int i = 0; i < deals; ++i) {
        Board b;
        deal_random(b, deal);
        std::array<int, 16> cells;
        for (int k = 1; k <= 16; ++k) {
            cells[k - 1] = b.board_cells[k];
            ++counts[b.board_cells[k]][k];
        }
        solvable_deals += solvable(cells);
    }
    for (int v = 0; v < 16; ++v)
        for (int k = 1; k <= 16; ++k) EXPECT_NEAR(counts[v][k], deals / 16, deals / 16 / 4) << v << "@" << k;
    EXPECT_NEAR(solvable_deals, deals / 2, deals / 20) << "half the random deals can be solved";
}

TEST(Deals, TheGeneratorIsTheRuntimesClassicRand) {
    // The first numbers rand() gives after srand(1), as every C runtime of its family does.
    DealGenerator generator;
    generator.seed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) EXPECT_EQ(generator.next(), expected);
    // So the first deal of a run started at second 1 is preset entry 41 % 24 + 1.
    DealState deal;
    deal.calendar_time = [] { return std::int64_t{1}; };
    Board b;
    deal_preset(b, deal);
    EXPECT_TRUE(std::equal(b.board_cells.begin() + 1, b.board_cells.end(), PRESET_LAYOUTS[17].begin()));
}

TEST(EndPosition, RecognisesTheThreeEndsAndNothingNextToThem) {
    struct Case {
        const char* name;
        std::array<int, 16> cells;
        int picture_active;
        EndKind end_kind;
    };
    const std::array<int, 16> ordered{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
    const std::array<int, 16> exchanged{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 0};
    const std::array<int, 16> magic{15, 2, 1, 12, 4, 9, 10, 7, 8, 5, 6, 11, 3, 14, 13, 0};
    // Rows, columns and one diagonal sum to 30, the other diagonal does not.
    const std::array<int, 16> bad_diagonal{6, 11, 12, 1, 0, 7, 10, 13, 9, 4, 3, 14, 15, 8, 5, 2};
    const std::array<int, 16> bad_antidiagonal{3, 6, 9, 12, 11, 4, 5, 10, 2, 13, 15, 0, 14, 7, 1, 8};
    const Case cases[] = {
        {"ordered", ordered, 1, END_ORDERED},
        {"ordered with another picture", ordered, 0, END_ORDERED},
        {"exchanged", exchanged, 1, END_EXCHANGED},
        {"magic square with numbers", magic, 1, END_MAGIC_SQUARE},
        {"magic square with a picture", magic, 0, END_NONE},
        {"one bad diagonal", bad_diagonal, 1, END_NONE},
        {"one bad antidiagonal", bad_antidiagonal, 1, END_NONE},
        {"a preset deal", PRESET_LAYOUTS[0], 1, END_NONE},
        // One tile from an end, at each cell the tests look at.
        {"tile 1 in the empty corner", {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1}, 1, END_NONE},
        {"tile 13 one step from home", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 14, 15, 13}, 1, END_NONE},
        {"tile 14 one step from home", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0, 15, 14}, 1, END_NONE},
        {"tile 15 one step from home", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15}, 1, END_NONE},
        {"exchanged but tile 13 out", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 15, 14, 13}, 1, END_NONE},
        {"exchanged but tile 1 out", {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 1}, 1, END_NONE},
    };
    for (const Case& c : cases) EXPECT_EQ(check_end_position(board_of(c.cells), c.picture_active), c.end_kind) << c.name;
}
