#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace ui {

// The calls that worker threads hand over to the window's thread, shared by both sides: a
// worker queues its operation, wakes the window's thread and waits; that thread runs the queue
// and carries each operation's exception back to its caller. Once closed, every waiting and
// later call throws crawl::WindowClosed without running; an operation that has already begun
// is waited for, since it uses the caller's `operation`.
class HandOverQueue {
public:
    // On a worker thread. `wake` is called under the queue's lock, so never after Close(); it
    // makes the window's thread call RunPending().
    void Invoke(const std::function<void()>& operation, const std::function<void()>& wake);

    // On the window's thread: runs the calls queued so far.
    void RunPending();

    // On the window's thread when the window closes.
    void Close();

private:
    struct Call {
        const std::function<void()>* operation;
        bool started = false;
        bool finished = false;
        std::exception_ptr error;
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    bool closed_ = false;
    std::deque<std::shared_ptr<Call>> queued_;
};

} // namespace ui
