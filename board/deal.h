// Random and preset deals. Both draw from one generator, seeded once per run
// from the calendar time by whichever deal comes first.
#pragma once

#include "board/board.h"

#include <array>
#include <cstdint>
#include <functional>

constexpr int PRESET_COUNT = 24;
// Entry k (1..24) is PRESET_LAYOUTS[k - 1]: the tile in cells 1..16, 0 for the empty cell.
extern const std::array<std::array<int, CELL_COUNT>, PRESET_COUNT> PRESET_LAYOUTS;

// The runtime's classic rand(): a linear congruential generator, 0..32767.
class DealGenerator {
public:
    void seed(std::uint32_t value) { state_ = value; }
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fff);
    }

private:
    std::uint32_t state_ = 1;
};

struct DealState {
    int deal_count = 0;
    std::array<int, 16> dealt_cells{};  // entries 1..15
    int dealt_tiles = 0;
    DealGenerator generator;
    // Seconds of calendar time; replaced in tests.
    std::function<std::int64_t()> calendar_time;
};

void deal_random(Board& board, DealState& deal);
void deal_preset(Board& board, DealState& deal);
