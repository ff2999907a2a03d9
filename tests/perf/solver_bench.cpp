// The solver's benchmark, in the 64-bit program's code under Wine (run by
// tools/bench.sh, not a test): the tables' build and the peak memory, Korf's
// 100 boards and the 17 hardest boards with the tables ready, and the hint's
// time on random deals. Prints "TABLE solve ..." rows against their goals, each
// with the figure of the solver before the hint moved beside the window, and
// "INFO" rows.
// Usage: solver_bench [--korf FILE] [--hard FILE] [--deals N] [--threads N]
// Each FILE: one board a line, 16 numbers row by row in this game's orientation
// (empty cell home at the bottom right). Korf's lines end in "# instance
// length"; every one of the hardest boards needs 80 steps.
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

// A figure against its goal: met while at most the goal. before: the same
// figure of the solver at commit 0f4b5a5 measured by this benchmark (the mean
// of two quiet runs on the project's 2-core machine; its search ran on one
// thread), or 0 where there is none.
void row(const char* label, double value, double goal, double before, const char* unit = "") {
    std::printf("TABLE solve %-44s %9.1f %9.1f %7.2f %6.1fx  %s%s", label, value, goal, value / goal, 1.0,
                value <= goal ? "met" : "MISSED", unit);
    if (before > 0) std::printf(" (before: %.1f)", before);
    std::printf("\n");
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

// The boards of a file; a line's length follows "# instance", else it is given.
bool read_boards(const char* path, int given_length, std::vector<Instance>& boards) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') continue;
        std::istringstream words(line);
        Instance instance{};
        for (int& v : instance.cells) words >> v;
        instance.length = given_length;
        std::string hash;
        int number = 0;
        if (given_length == 0) words >> hash >> number >> instance.length;
        if (!words || !is_whole_board(instance.cells)) {
            std::printf("PROBLEM not a board with its length: %s\n", line.c_str());
            return false;
        }
        boards.push_back(instance);
    }
    if (boards.empty()) std::printf("PROBLEM no boards in %s\n", path);
    return !boards.empty();
}

// Solves each board with the tables ready.
struct Run {
    double total = 0, longest = 0;
    std::uint64_t nodes = 0, most_nodes = 0;
    int wrong = 0;
    int within_3s = 0;
};
Run solve_all(const Solver& solver, const std::vector<Instance>& boards, int threads) {
    Run run;
    for (const Instance& instance : boards) {
        const double t = now_ms();
        const Solution solution = solver.solve(instance.cells, nullptr, threads);
        const double took = now_ms() - t;
        run.total += took;
        run.longest = std::max(run.longest, took);
        run.within_3s += took <= 3000;
        run.nodes += solution.nodes;
        run.most_nodes = std::max(run.most_nodes, solution.nodes);
        run.wrong += static_cast<int>(solution.tiles.size()) != instance.length;
    }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const char *korf_file = nullptr, *hard_file = nullptr;
    int deals = 1000, threads = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--korf") korf_file = argv[i + 1];
        else if (option == "--hard") hard_file = argv[i + 1];
        else if (option == "--deals") deals = std::atoi(argv[i + 1]);
        else if (option == "--threads") threads = std::atoi(argv[i + 1]);
    }
    if (!korf_file && !hard_file) {
        std::fprintf(stderr, "usage: solver_bench [--korf FILE] [--hard FILE] [--deals N] [--threads N]\n");
        return 2;
    }
    std::vector<Instance> korf, hard;
    if ((korf_file && !read_boards(korf_file, 0, korf)) || (hard_file && !read_boards(hard_file, 80, hard))) return 1;

    const double start = now_ms();
    const Solver solver;
    const double built = now_ms() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    row("tables built", built, 5000, 1880);
    row("peak working set during the build (MB)", static_cast<double>(memory.PeakWorkingSetSize) / 1e6, 64, 51.8,
        " (MB)");
    info("working set after the build", static_cast<double>(memory.WorkingSetSize) / 1e6, "MB");

    int wrong = 0;
    if (!korf.empty()) {
        const Run run = solve_all(solver, korf, threads);
        const double count = static_cast<double>(korf.size());
        wrong += run.wrong;
        row("Korf's boards, tables ready: all solved", run.total, 400, 749);
        row("hint, Korf's boards, longest", run.longest, 1000, 99);
        info("nodes per Korf board (Manhattan 401 M, 5-5-5 3.09 M,", static_cast<double>(run.nodes) / count, "nodes");
        info("  6-6-3 0.62 M, 7-8 reflected 36 710; most on one board", static_cast<double>(run.most_nodes), "nodes");
        if (threads != 1) info("Korf's boards on one thread, all solved", solve_all(solver, korf, 1).total, "ms");
    }
    if (!hard.empty()) {
        const Run run = solve_all(solver, hard, threads);
        wrong += run.wrong;
        row("hardest boards (80 steps): longest", run.longest, 3000, 20050);
        info("hardest boards: mean", run.total / static_cast<double>(hard.size()), "ms");
        info("hardest boards: solved within 3 s, of " + std::to_string(hard.size()), run.within_3s, "boards");
        info("hardest boards: nodes per board", static_cast<double>(run.nodes) / static_cast<double>(hard.size()), "nodes");
    }

    // Random deals, both halves, as NEW GAME deals them with the box empty.
    std::mt19937 random(2024);
    std::vector<double> hint;
    for (int d = 0; d < deals; ++d) {
        Cells cells;
        for (int k = 0; k < CELL_COUNT; ++k) cells[k] = k;
        std::shuffle(cells.begin(), cells.end(), random);
        const double t = now_ms();
        solver.solve(cells, nullptr, threads);
        hint.push_back(now_ms() - t);
    }
    if (deals > 0) {
        row("hint, random deals, 99th percentile", percentile(hint, 0.99), 50, 83.5);
        row("hint, random deals, longest", percentile(hint, 1.0), 250, 402.4);
        info("hint, random deals, median (" + std::to_string(deals) + " deals)", percentile(hint, 0.5), "ms");
    }
    std::fflush(stdout);
    if (wrong) {
        std::printf("PROBLEM %d boards got another length than the published one\n", wrong);
        return 1;
    }
    return 0;
}
