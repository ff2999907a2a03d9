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

    // Runs work(0) on the calling thread and work(1) .. work(n) on helpers
    // (as many as could be started; more are started when needed) that wake
    // before work(0) returns; returns when those are done. Each work must
    // therefore be able to do it all alone. Only the holder of in_use() calls it.
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
    int taking_part_ = 0;  // helpers 1 .. taking_part_ may work in this round
    bool open_ = false;    // while the calling thread works: helpers may join
    int working_ = 0;      // helpers in the round not yet done
    std::uint64_t round_ = 0;
    bool ending_ = false;
};
