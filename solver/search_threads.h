// Threads that help the search through its large iterations, started once and
// kept for the solver's life: under Wine a thread takes milliseconds to start,
// longer than many a whole search.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SearchThreads {
public:
    explicit SearchThreads(int helpers);  // starts as many as it can
    ~SearchThreads();                     // ends them, once they are idle
    SearchThreads(const SearchThreads&) = delete;
    SearchThreads& operator=(const SearchThreads&) = delete;

    using Work = std::function<void(int)>;
    // Runs (*work)(0) on the calling thread, and (*work)(1) .. (*work)(n) on
    // those helpers (started when needed) that wake before it returns; returns
    // with it, without waiting for them. So the calling thread's work must be
    // able to finish it all alone, and a helper may still be in its work
    // afterwards (work keeps what they share). Only the holder of in_use() calls it.
    void run(int n, std::shared_ptr<const Work> work);
    std::mutex& in_use() { return in_use_; }

private:
    void start(int helpers);
    void serve(int number);

    std::mutex in_use_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::thread> threads_;
    std::shared_ptr<const Work> work_;
    int taking_part_ = 0;  // helpers 1 .. taking_part_ may work in this round
    bool open_ = false;    // while the calling thread works: helpers may join
    std::uint64_t round_ = 0;
    bool ending_ = false;
};
