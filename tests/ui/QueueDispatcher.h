#pragma once

#include "ui/HandOverDispatcher.h"
#include "ui/HandOverQueue.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace ui::test {

// The UI thread's side of the hand-over without a toolkit: the thread that creates it is the UI
// thread, and the operations that workers hand over wait in the window's queue until that thread
// runs them (RunPending), as a message loop would.
class QueueDispatcher : public HandOverDispatcher {
public:
    QueueDispatcher();
    ~QueueDispatcher() override;

    // Throws std::logic_error on the UI thread: it would wait for itself.
    void Invoke(const std::function<void()>& operation) override;
    void Close() override;

    // Runs every waiting operation on the UI thread.
    void RunPending();
    // Waits at most `limit` for an operation to arrive.
    void WaitForWork(std::chrono::milliseconds limit);

private:
    const std::thread::id uiThread_;
    HandOverQueue queue_;
    // Set by a worker's wake, cleared before the queue is run; never held while calling queue_.
    std::mutex wakeMutex_;
    std::condition_variable woken_;
    bool workArrived_ = false;
};

} // namespace ui::test
