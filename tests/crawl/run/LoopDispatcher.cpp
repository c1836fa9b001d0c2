#include "LoopDispatcher.h"

#include <stdexcept>

namespace crawl::runtest {

LoopDispatcher::LoopDispatcher() : thread_([this] { Loop(); })
{
}

LoopDispatcher::~LoopDispatcher()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void LoopDispatcher::Invoke(const std::function<void()>& operation)
{
    if (OnLoopThread()) {
        throw std::logic_error("Invoke called on the UI thread itself");
    }
    Task task{&operation, false, nullptr};
    std::unique_lock lock(mutex_);
    if (closed_ || stopping_) {
        throw WindowClosed();
    }
    queue_.push_back(&task);
    changed_.notify_all();
    changed_.wait(lock, [&task] { return task.done; });
    if (task.error) {
        std::rethrow_exception(task.error);
    }
}

void LoopDispatcher::CloseWindow()
{
    std::lock_guard lock(mutex_);
    closed_ = true;
    // Operations still waiting are not run any more.
    for (Task* task : queue_) {
        task->error = std::make_exception_ptr(WindowClosed());
        task->done = true;
    }
    queue_.clear();
    changed_.notify_all();
}

void LoopDispatcher::Loop()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            return;
        }
        Task* task = queue_.front();
        queue_.pop_front();
        lock.unlock();
        std::exception_ptr error;
        try {
            (*task->operation)();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        task->error = error;
        task->done = true;
        changed_.notify_all();
    }
}

} // namespace crawl::runtest
