#pragma once

#include "crawl/run/UiDispatcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace crawl {

// A worker thread with a stop request, pause and continue, and a synchronous call onto the UI
// thread. Own it through a std::shared_ptr: a started thread keeps itself alive until its
// Execute has returned, so its owners may drop their references at any time and the object goes
// away when the last one (often the thread's own) is released.
class Thread : public std::enable_shared_from_this<Thread> {
public:
    virtual ~Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // The stop request. Also continues a paused thread, so that it can reach its stop points.
    void Terminate();
    bool Terminated() const noexcept { return terminated_.load(); }
    // The window has gone: the stop request, after which the thread makes no further step. A
    // paused thread wakes only to end: this and every later safe point throws WindowClosed.
    void Abandon();

    // A paused thread halts at its next safe point until it is continued or terminated.
    void Pause();
    void Continue();
    bool IsPaused() const;

    // True once Execute has returned.
    bool Finished() const;
    // Waits at most `limit` for Finished; returns Finished.
    bool WaitUntilFinished(std::chrono::milliseconds limit) const;
    // The exception that ended Execute, or null. Meaningful once Finished.
    std::exception_ptr FatalException() const;

protected:
    explicit Thread(UiDispatcher& dispatcher) : dispatcher_(dispatcher) {}

    // Runs Execute on a new thread; only once per object. Derived classes decide who may start.
    void Start();

    virtual void Execute() = 0;

    // Runs `operation` on the UI thread and waits until it has finished; its exception (or
    // WindowClosed) is thrown here. Only from Execute: the UI thread must never wait on itself.
    void Synchronize(const std::function<void()>& operation);

    // A safe point: returns at once unless paused, else when continued or terminated. Waits on a
    // condition variable, never spins. Throws WindowClosed once the thread has been abandoned.
    void WaitWhilePaused();

private:
    void Run();

    UiDispatcher& dispatcher_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> abandoned_{false};
    std::atomic<bool> started_{false};

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool paused_ = false;
    bool finished_ = false;
    std::exception_ptr fatalException_;
};

} // namespace crawl
