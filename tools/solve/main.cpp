// tessary_solve: reads boards from standard input, one a line, 16 numbers row
// by row from the top left with 0 for the empty cell, and prints for each
// "<length>: <tile> <tile> ...", the tiles to move one cell each, in order, on
// a shortest way to the end the board can reach. A line that is no board gets
// "error: ..." and the next line is read; the exit code is 1 when any line failed.
#include "solver/solver.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {

// The board on a line, or the reason it is none.
bool parse_board(const std::string& line, Cells& cells, std::string& error) {
    std::istringstream in(line);
    std::string word;
    int count = 0;
    while (in >> word) {
        if (count == CELL_COUNT) {
            error = "more than 16 numbers";
            return false;
        }
        if (word.size() > 2 || word.find_first_not_of("0123456789") != std::string::npos || std::stoi(word) > 15) {
            error = "\"" + word + "\" is not a number from 0 to 15";
            return false;
        }
        cells[count++] = std::stoi(word);
    }
    if (count < CELL_COUNT) {
        error = std::to_string(count) + " numbers, not 16";
        return false;
    }
    if (!is_whole_board(cells)) {
        error = "not each of 0 to 15 once";
        return false;
    }
    return true;
}

}  // namespace

int main() {
    std::unique_ptr<Solver> solver;  // the databases are built for the first board
    bool failed = false;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Cells cells{};
        std::string error;
        if (!parse_board(line, cells, error)) {
            std::cout << "error: " << error << '\n';
            failed = true;
            continue;
        }
        if (!solver) solver.reset(new Solver);
        const Solution solution = solver->solve(cells);
        std::cout << solution.tiles.size() << ':';
        for (int tile : solution.tiles) std::cout << ' ' << tile;
        std::cout << '\n';
    }
    return failed ? 1 : 0;
}
