#pragma once

#include "ui/HandOverDispatcher.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace ui::test {

// The UI thread's side of the hand-over without a toolkit: the thread that creates it is the UI
// thread, and the operations that workers hand over wait in a queue until that thread runs them
// (RunPending), as a message loop would.
class QueueDispatcher : public HandOverDispatcher {
public:
    QueueDispatcher();
    ~QueueDispatcher() override;

    // Throws std::logic_error on the UI thread: it would wait for itself.
    void Invoke(const std::function<void()>& operation) override;
    void Close() override;

    // Runs every waiting operation on the UI thread; false when none was waiting.
    bool RunPending();
    // Waits at most `limit` for an operation to arrive.
    void WaitForWork(std::chrono::milliseconds limit);

private:
    struct Call {
        const std::function<void()>* operation;
        bool started = false;
        bool finished = false;
        std::exception_ptr error;
    };

    const std::thread::id uiThread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Call>> queue_;
    bool closed_ = false;
};

} // namespace ui::test
