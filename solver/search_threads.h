// Threads that help the search through its large iterations, started once and
// kept for the solver's life: under Wine a thread takes milliseconds to start,
// longer than many a whole search.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class SearchThreads {
public:
    explicit SearchThreads(int helpers);  // starts as many as it can
    ~SearchThreads();                     // ends them, once they are idle
    SearchThreads(const SearchThreads&) = delete;
    SearchThreads& operator=(const SearchThreads&) = delete;

    // Runs work(1) .. work(n) on helpers (as many as could be started; more
    // are started when needed) and work(0) on the calling thread; returns when
    // all are done. Only the holder of in_use() calls it.
    void run(int n, const std::function<void(int)>& work);
    std::mutex& in_use() { return in_use_; }

private:
    void start(int helpers);
    void serve(int number);

    std::mutex in_use_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::vector<std::thread> threads_;
    const std::function<void(int)>* work_ = nullptr;
    int taking_part_ = 0;  // helpers 1 .. taking_part_ work in this round
    int working_ = 0;      // of those, the ones not yet done
    std::uint64_t round_ = 0;
    bool ending_ = false;
};
