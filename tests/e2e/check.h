// A small test framework for the end-to-end driver: named cases registered at
// start-up, CHECK macros that report file:line, and a summary line.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace e2e {

using CaseFunction = void (*)();

// Registers a case; cases run in the order of registration within a file,
// files in link order. Returns a dummy so it can initialise a static.
int register_case(const char* group, const char* name, CaseFunction function);

// Records a failed check for the running case; returns false so callers can stop.
bool fail(const char* file, int line, const std::string& message);
// Records a passed check.
bool pass();

// Called at the first failed check of a case, while the program still shows
// what went wrong.
void on_first_failure(void (*action)());

// Runs the cases whose "group/name" contains filter (all when empty), groups in
// the order given (others after them), cases of a group in registration order;
// prints one line per case and "N passed, N failed" alone on the last line.
// Returns the process exit code.
int run_cases(const std::string& filter, const std::vector<std::string>& group_order);

// Stops the running case at once (a failed REQUIRE).
struct CaseAborted {};

template <typename T>
std::string show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}
inline std::string show(const std::string& value) { return "\"" + value + "\""; }
inline std::string show(const char* value) { return show(std::string(value)); }
inline std::string show(bool value) { return value ? "true" : "false"; }

// A number as 0x... text, for styles.
inline std::string hex(long long value) {
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase << value;
    return out.str();
}

}  // namespace e2e

#define E2E_CONCAT2(a, b) a##b
#define E2E_CONCAT(a, b) E2E_CONCAT2(a, b)

// E2E_CASE("group", "behaviour it protects") { body }
#define E2E_CASE(group, name)                                                            \
    static void E2E_CONCAT(e2e_case_, __LINE__)();                                       \
    static const int E2E_CONCAT(e2e_registered_, __LINE__) =                             \
        e2e::register_case(group, name, &E2E_CONCAT(e2e_case_, __LINE__));               \
    static void E2E_CONCAT(e2e_case_, __LINE__)()

#define CHECK(condition)                                                                 \
    ((condition) ? e2e::pass() : e2e::fail(__FILE__, __LINE__, "CHECK(" #condition ")"))

#define CHECK_EQ(actual, expected)                                                       \
    [&]() -> bool {                                                                      \
        const auto& e2e_a = (actual);                                                    \
        const auto& e2e_e = (expected);                                                  \
        if (e2e_a == e2e_e) return e2e::pass();                                          \
        return e2e::fail(__FILE__, __LINE__,                                             \
                         #actual " is " + e2e::show(e2e_a) + ", expected " + e2e::show(e2e_e)); \
    }()

// Like CHECK_EQ with a note naming what was compared (a control, a tile).
#define CHECK_EQ_AT(actual, expected, note)                                              \
    [&]() -> bool {                                                                      \
        const auto& e2e_a = (actual);                                                    \
        const auto& e2e_e = (expected);                                                  \
        if (e2e_a == e2e_e) return e2e::pass();                                          \
        return e2e::fail(__FILE__, __LINE__, std::string(note) + ": " #actual " is " +   \
                         e2e::show(e2e_a) + ", expected " + e2e::show(e2e_e));           \
    }()

// A check the rest of the case depends on: stops the case when it fails.
#define REQUIRE(condition)                                                               \
    do {                                                                                 \
        if (!CHECK(condition)) throw e2e::CaseAborted{};                                 \
    } while (0)
