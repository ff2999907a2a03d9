// The helpers wait for a round, work, and say when they are done.
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

void SearchThreads::run(int n, const std::function<void(int)>& work) {
    start(n);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        work_ = &work;
        taking_part_ = working_ = std::min(n, static_cast<int>(threads_.size()));
        ++round_;
    }
    wake_.notify_all();
    work(0);
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return working_ == 0; });
    work_ = nullptr;
}

void SearchThreads::serve(int number) {
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void(int)>* work;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return ending_ || round_ != seen; });
            if (ending_) return;
            seen = round_;
            if (number > taking_part_) continue;
            work = work_;
        }
        (*work)(number);
        std::lock_guard<std::mutex> lock(mutex_);
        if (--working_ == 0) done_.notify_one();
    }
}
