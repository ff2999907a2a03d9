// The hint's worker on a thread of its own beside the window: started once the
// window shows, it builds the solver's tables at below-normal priority, then
// searches at normal priority, and posts each answer to the window.
#pragma once

#include "solver/hint_worker.h"

#include <windows.h>

#include <memory>

class HintThread {
public:
    // Each answer reaches `window` as `message`, its lParam a HintAnswer that
    // take() hands to the window procedure.
    HintThread(HWND window, UINT message);
    ~HintThread();  // stop()
    HintThread(const HintThread&) = delete;
    HintThread& operator=(const HintThread&) = delete;

    // Starts the thread (once); false when it cannot be had.
    bool start();
    void search(const Cells& cells) {
        if (worker_) worker_->search(cells);
    }
    void abandon() {
        if (worker_) worker_->abandon();
    }
    // Ends the build or the search in flight and waits for the thread, at most
    // wait_ms: closing the window never hangs on it.
    void stop(DWORD wait_ms = 400);

    // The answer a posted message carries; the caller owns it.
    static std::unique_ptr<HintAnswer> take(LPARAM lparam);

private:
    static unsigned __stdcall thread_main(void* worker);

    std::unique_ptr<HintWorker> worker_;
    HANDLE thread_ = nullptr;
};
