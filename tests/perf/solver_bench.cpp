// The solver's benchmark, in the 64-bit program's code under Wine (run by
// tools/bench.sh, not a test): Korf's 100 boards solved in one run that also
// builds the tables, the peak memory of that run, and the hint's time on random
// deals. Prints "TABLE solve ..." rows against their goals and "INFO" rows.
// Usage: solver_bench KORF_FILE [--deals N]
// KORF_FILE: one board a line, 16 numbers row by row in this game's
// orientation (empty cell home at the bottom right), then "# instance length".
#include <windows.h>
#include <psapi.h>

#include "solver/solver.h"
#include "now_ms.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A figure against its goal: met while at most the goal. unit: "" for ms.
void row(const char* label, double value, double goal, const char* unit = "") {
    std::printf("TABLE solve %-44s %9.1f %9.1f %7.2f %6.1fx  %s%s\n", label, value, goal, value / goal, 1.0,
                value <= goal ? "met" : "MISSED", unit);
}

void info(const std::string& label, double value, const char* unit) {
    std::printf("INFO  %-52s %9.1f %s\n", label.c_str(), value, unit);
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

struct Instance {
    Cells cells;
    int length;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: solver_bench KORF_FILE [--deals N]\n");
        return 2;
    }
    int deals = 1000;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--deals") deals = std::atoi(argv[i + 1]);

    std::vector<Instance> korf;
    std::ifstream in(argv[1]);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Instance instance{};
        std::string hash;
        int number = 0;
        for (int& v : instance.cells) words >> v;
        words >> hash >> number >> instance.length;
        if (!words || !is_whole_board(instance.cells)) {
            std::printf("PROBLEM not a board with its length: %s\n", line.c_str());
            return 1;
        }
        korf.push_back(instance);
    }
    if (korf.empty()) {
        std::printf("PROBLEM no boards in %s\n", argv[1]);
        return 1;
    }

    // Korf's boards: the tables are built in the same run.
    const double start = now_ms();
    const Solver solver;
    const double built = now_ms();
    std::uint64_t nodes = 0, most_nodes = 0;
    double longest = 0;
    int wrong = 0;
    for (const Instance& instance : korf) {
        const double t = now_ms();
        const Solution solution = solver.solve(instance.cells);
        longest = std::max(longest, now_ms() - t);
        nodes += solution.nodes;
        most_nodes = std::max(most_nodes, solution.nodes);
        wrong += static_cast<int>(solution.tiles.size()) != instance.length;
    }
    const double total = now_ms() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    // Random deals, both halves, as NEW GAME deals them with the box empty.
    std::mt19937 random(2024);
    std::vector<double> hint;
    for (int d = 0; d < deals; ++d) {
        Cells cells;
        for (int k = 0; k < CELL_COUNT; ++k) cells[k] = k;
        std::shuffle(cells.begin(), cells.end(), random);
        const double t = now_ms();
        solver.solve(cells);
        hint.push_back(now_ms() - t);
    }

    const double count = static_cast<double>(korf.size());
    row("Korf's boards: tables built, all solved", total, 3000);
    row("Korf's boards: peak working set (MB)", static_cast<double>(memory.PeakWorkingSetSize) / 1e6, 64, " (MB)");
    row("hint, random deals, 99th percentile", percentile(hint, 0.99), 100);
    row("hint, Korf's boards, longest", longest, 1000);
    info("tables built (the first hint of a run adds this)", built - start, "ms");
    info("Korf's boards solved, tables not counted", total - (built - start), "ms");
    info("nodes per Korf board (Manhattan 401 M, 5-5-5 3.09 M,", static_cast<double>(nodes) / count, "nodes");
    info("  6-6-3 0.62 M, 7-8 reflected 36 710; most on one board", static_cast<double>(most_nodes), "nodes");
    info("hint, random deals, median (" + std::to_string(deals) + " deals)", percentile(hint, 0.5), "ms");
    info("hint, random deals, longest", percentile(hint, 1.0), "ms");
    std::fflush(stdout);
    if (wrong) {
        std::printf("PROBLEM %d of Korf's boards got another length than the published one\n", wrong);
        return 1;
    }
    return 0;
}
