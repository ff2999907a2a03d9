// The hint's worker: builds the solver's tables once, then looks for one way
// home at a time and hands each answer on. run() is the whole life of the
// thread it runs on; the other calls come from the window's thread. Every
// search can be stopped: a search asked in its place, abandon() or stop() ends
// it within milliseconds, without an answer.
#pragma once

#include "solver/solver.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

struct HintAnswer {
    Cells asked{};         // the board the way starts from
    std::vector<int> way;  // a shortest way home, tile by tile
};

class HintWorker {
public:
    // deliver is called on the worker's thread, once for each search that ends with a way.
    explicit HintWorker(std::function<void(HintAnswer)> deliver);
    ~HintWorker();
    HintWorker(const HintWorker&) = delete;
    HintWorker& operator=(const HintWorker&) = delete;

    // The worker thread's body: the tables, then the searches asked for, until
    // stop(). tables_ready is called on that thread once the tables are built.
    void run(const std::function<void()>& tables_ready = nullptr);

    // A search from cells, in place of any search asked before it. Asked during
    // the build, it starts as soon as the tables are ready.
    void search(const Cells& cells);
    // The search asked last ends, or never starts, without an answer.
    void abandon();
    // run() returns soon: the build or the search in flight stops.
    void stop();

private:
    std::function<void(HintAnswer)> deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Cells> wanted_;  // the next search, not yet started
    std::atomic<bool> stop_search_{false};  // declared before solver_, whose helpers read it to the end
    std::atomic<bool> stopping_{false};
    std::unique_ptr<Solver> solver_;
};
