#pragma once

#include "crawl/run/UiDispatcher.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace crawl::runtest {

// A stand-in for the UI thread: one loop thread that runs the operations handed to Invoke,
// one at a time, in the order they arrive.
class LoopDispatcher : public UiDispatcher {
public:
    LoopDispatcher();
    ~LoopDispatcher() override;
    LoopDispatcher(const LoopDispatcher&) = delete;
    LoopDispatcher& operator=(const LoopDispatcher&) = delete;

    // Throws std::logic_error when called on the loop thread: it would wait on itself.
    void Invoke(const std::function<void()>& operation) override;

    // From now on Invoke throws WindowClosed without running anything, as after the window
    // has closed. Callable from any thread, the loop thread included.
    void CloseWindow();

    bool OnLoopThread() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    struct Task {
        const std::function<void()>* operation;
        bool done = false;
        std::exception_ptr error;
    };

    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Task*> queue_;
    bool closed_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace crawl::runtest
