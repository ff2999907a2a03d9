// The driver's case registry, check counting and summary.
#include "check.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <vector>

namespace e2e {
namespace {

struct Case {
    const char* group;
    const char* name;
    CaseFunction function;
};

std::vector<Case>& cases() {
    static std::vector<Case> all;
    return all;
}

int failures_in_case = 0;
void (*first_failure_action)() = nullptr;

}  // namespace

int register_case(const char* group, const char* name, CaseFunction function) {
    cases().push_back({group, name, function});
    return 0;
}

bool fail(const char* file, int line, const std::string& message) {
    ++failures_in_case;
    std::printf("    %s:%d: %s\n", file, line, message.c_str());
    std::fflush(stdout);
    if (failures_in_case == 1 && first_failure_action) first_failure_action();
    return false;
}

bool pass() { return true; }

void on_first_failure(void (*action)()) { first_failure_action = action; }

int run_cases(const std::string& filter, const std::vector<std::string>& group_order) {
    // Static registration runs in link order, which the linker may reverse.
    std::vector<Case> ordered = cases();
    auto rank = [&](const Case& c) {
        const auto it = std::find(group_order.begin(), group_order.end(), c.group);
        return int(it - group_order.begin());
    };
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&](const Case& a, const Case& b) { return rank(a) < rank(b); });
    int passed = 0, failed = 0;
    for (const Case& c : ordered) {
        const std::string full = std::string(c.group) + "/" + c.name;
        if (!filter.empty() && full.find(filter) == std::string::npos) continue;
        std::printf("[ RUN  ] %s\n", full.c_str());
        std::fflush(stdout);
        failures_in_case = 0;
        const auto start = std::chrono::steady_clock::now();
        try {
            c.function();
        } catch (const CaseAborted&) {
            std::printf("    (case stopped at the failed REQUIRE)\n");
        } catch (const std::exception& e) {
            fail(__FILE__, __LINE__, std::string("exception: ") + e.what());
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (failures_in_case == 0) {
            ++passed;
            std::printf("[  OK  ] %s (%.1f s)\n", full.c_str(), seconds);
        } else {
            ++failed;
            std::printf("[ FAIL ] %s (%.1f s)\n", full.c_str(), seconds);
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace e2e
