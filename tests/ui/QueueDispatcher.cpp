#include "tests/ui/QueueDispatcher.h"

#include <stdexcept>

namespace ui::test {

QueueDispatcher::QueueDispatcher() : uiThread_(std::this_thread::get_id())
{
}

QueueDispatcher::~QueueDispatcher()
{
    Close();
}

void QueueDispatcher::Invoke(const std::function<void()>& operation)
{
    if (std::this_thread::get_id() == uiThread_) {
        throw std::logic_error("QueueDispatcher::Invoke called on the UI thread");
    }
    auto call = std::make_shared<Call>();
    call->operation = &operation;
    std::unique_lock lock(mutex_);
    if (closed_) {
        throw crawl::WindowClosed();
    }
    queue_.push_back(call);
    changed_.notify_all();
    // An operation that has begun is waited for even when the window closes meanwhile.
    changed_.wait(lock, [&] { return call->finished || (closed_ && !call->started); });
    if (!call->finished) {
        throw crawl::WindowClosed();
    }
    if (call->error) {
        std::rethrow_exception(call->error);
    }
}

void QueueDispatcher::Close()
{
    const std::lock_guard lock(mutex_);
    closed_ = true;
    queue_.clear();
    changed_.notify_all();
}

bool QueueDispatcher::RunPending()
{
    bool ran = false;
    std::unique_lock lock(mutex_);
    while (!queue_.empty()) {
        const std::shared_ptr<Call> call = queue_.front();
        queue_.pop_front();
        call->started = true;
        lock.unlock();
        try {
            (*call->operation)();
        } catch (...) {
            call->error = std::current_exception();
        }
        lock.lock();
        call->finished = true;
        changed_.notify_all();
        ran = true;
    }
    return ran;
}

void QueueDispatcher::WaitForWork(std::chrono::milliseconds limit)
{
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, limit, [&] { return !queue_.empty(); });
}

} // namespace ui::test
