// The hint's worker: the tables, then one stoppable search at a time.
#include "solver/hint_worker.h"

HintWorker::HintWorker(std::function<void(HintAnswer)> deliver) : deliver_(std::move(deliver)) {}

HintWorker::~HintWorker() = default;

void HintWorker::run(const std::function<void()>& tables_ready) {
    solver_ = std::make_unique<Solver>(&stopping_);
    if (!solver_->ready()) return;  // stopped while building
    if (tables_ready) tables_ready();
    for (;;) {
        Cells cells;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || wanted_; });
            if (stopping_) return;
            cells = *wanted_;
            wanted_.reset();
            // Under the lock: a search or abandon() from now on stops this one.
            stop_search_ = false;
        }
        Solution solution = solver_->solve(cells, &stop_search_);
        if (!solution.stopped) deliver_({cells, std::move(solution.tiles)});
    }
}

void HintWorker::search(const Cells& cells) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_ = cells;
        stop_search_ = true;
    }
    wake_.notify_one();
}

void HintWorker::abandon() {
    std::lock_guard<std::mutex> lock(mutex_);
    wanted_.reset();
    stop_search_ = true;
}

void HintWorker::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        stop_search_ = true;
    }
    wake_.notify_one();
}
