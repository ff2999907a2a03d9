// Moves the search never needs to try: a short run of moves of the empty cell
// that leaves the same board as a shorter run, or as one as short that comes
// first in the order of directions, over no more cells. Any way home can take
// the other run instead, so the shortest way that comes first in that order
// plays none of these runs, and the search still finds a shortest way while
// it looks at far fewer boards (the same board reached again by another path).
// The runs are found when the solver is made, and a small automaton recognises
// them as the search plays its moves.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

class MoveFilter {
public:
    // Directions in which the empty cell moves; a move and its undo add up to 3.
    enum Direction { UP, LEFT, RIGHT, DOWN };
    static constexpr std::uint16_t START = 0;       // no move played yet
    static constexpr std::uint16_t SKIP = 0xFFFF;   // the move ends a run never to play

    // Finds the runs of up to `longest` moves. False from whole() when *stop turned true first.
    MoveFilter(int longest, const std::atomic<bool>* stop);
    bool whole() const { return whole_; }

    // The state after playing direction d in state s, or SKIP.
    std::uint16_t next(std::uint16_t s, int d) const { return next_[4u * s + static_cast<unsigned>(d)]; }
    std::size_t states() const { return next_.size() / 4; }

private:
    std::vector<std::uint16_t> next_;
    bool whole_ = true;
};
