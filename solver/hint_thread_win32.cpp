// The hint's thread: the worker's life on a thread of its own, answers posted.
#include "solver/hint_thread_win32.h"

#include <process.h>

HintThread::HintThread(HWND window, UINT message)
    : worker_(new HintWorker([window, message](HintAnswer answer) {
          auto* posted = new HintAnswer(std::move(answer));
          // A window already gone takes no more messages: the answer goes with it.
          if (!PostMessageA(window, message, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
      })) {}

HintThread::~HintThread() { stop(); }

bool HintThread::start() {
    if (thread_) return true;
    // The C runtime's own thread start: the worker allocates and throws like any C++ code.
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, thread_main, worker_.get(), 0, nullptr));
    return thread_ != nullptr;
}

unsigned __stdcall HintThread::thread_main(void* worker) {
    // The tables are built while the player looks at the window: below it in priority.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    static_cast<HintWorker*>(worker)->run(
        [] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL); });
    return 0;
}

void HintThread::stop(DWORD wait_ms) {
    if (!thread_) return;
    worker_->stop();
    // The worker stops within milliseconds. A thread still running after the
    // wait keeps its worker and ends with the process; it writes nothing.
    if (WaitForSingleObject(thread_, wait_ms) != WAIT_OBJECT_0) static_cast<void>(worker_.release());
    CloseHandle(thread_);
    thread_ = nullptr;
}

std::unique_ptr<HintAnswer> HintThread::take(LPARAM lparam) {
    return std::unique_ptr<HintAnswer>(reinterpret_cast<HintAnswer*>(lparam));
}
