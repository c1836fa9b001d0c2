#include "crawl/run/Thread.h"

#include <thread>

namespace crawl {

void Thread::Start()
{
    if (started_.exchange(true)) {
        throw Error(u"The thread has already been started.");
    }
    // The thread holds a reference of its own until Execute has returned; detached, it never
    // needs joining, so no owner has to wait for it (the window may close while it runs).
    std::thread([self = shared_from_this()] { self->Run(); }).detach();
}

void Thread::Run()
{
    std::exception_ptr fatal;
    try {
        Execute();
    } catch (...) {
        fatal = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        fatalException_ = fatal;
        finished_ = true;
    }
    // Still under the thread's own reference: whoever wakes up may drop theirs safely.
    changed_.notify_all();
}

void Thread::Terminate()
{
    {
        std::lock_guard lock(mutex_);
        terminated_.store(true);
        paused_ = false;
    }
    changed_.notify_all();
}

void Thread::Abandon()
{
    abandoned_.store(true);
    Terminate();
}

void Thread::Pause()
{
    std::lock_guard lock(mutex_);
    paused_ = true;
}

void Thread::Continue()
{
    {
        std::lock_guard lock(mutex_);
        paused_ = false;
    }
    changed_.notify_all();
}

bool Thread::IsPaused() const
{
    std::lock_guard lock(mutex_);
    return paused_;
}

bool Thread::Finished() const
{
    std::lock_guard lock(mutex_);
    return finished_;
}

bool Thread::WaitUntilFinished(std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return finished_; });
}

std::exception_ptr Thread::FatalException() const
{
    std::lock_guard lock(mutex_);
    return fatalException_;
}

void Thread::Synchronize(const std::function<void()>& operation)
{
    dispatcher_.Invoke(operation);
}

void Thread::WaitWhilePaused()
{
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !paused_ || terminated_.load(); });
    }
    if (abandoned_.load()) {
        throw WindowClosed();
    }
}

} // namespace crawl
