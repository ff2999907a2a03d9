// The helpers wait for a round and work. A helper that wakes only after the
// calling thread has finished stays out of the round: on a busy machine a
// helper may wait long to be woken, or to run again, and the search does not
// wait for it.
#include "solver/search_threads.h"

#include <algorithm>
#include <system_error>

SearchThreads::SearchThreads(int helpers) { start(helpers); }

SearchThreads::~SearchThreads() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void SearchThreads::start(int helpers) {
    while (static_cast<int>(threads_.size()) < helpers) {
        try {
            threads_.emplace_back(&SearchThreads::serve, this, static_cast<int>(threads_.size()) + 1);
        } catch (const std::system_error&) {
            return;  // the system has no more threads to give: the ones started do the work
        }
    }
}

void SearchThreads::run(int n, std::shared_ptr<const Work> work) {
    start(n);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        work_ = work;
        taking_part_ = n;
        open_ = true;
        ++round_;
    }
    wake_.notify_all();
    (*work)(0);
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
    work_.reset();
}

void SearchThreads::serve(int number) {
    std::uint64_t seen = 0;
    for (;;) {
        std::shared_ptr<const Work> work;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return ending_ || round_ != seen; });
            if (ending_) return;
            seen = round_;
            if (!open_ || number > taking_part_) continue;
            work = work_;
        }
        (*work)(number);
    }
}
