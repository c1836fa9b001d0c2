#include "ui/HandOverQueue.h"

#include "crawl/run/UiDispatcher.h"

namespace ui {

void HandOverQueue::Invoke(const std::function<void()>& operation,
                           const std::function<void()>& wake)
{
    auto call = std::make_shared<Call>();
    call->operation = &operation;
    std::unique_lock lock(mutex_);
    if (closed_) {
        throw crawl::WindowClosed();
    }
    queued_.push_back(call);
    wake();
    // Close() empties the queue, so a call not yet started then never runs.
    changed_.wait(lock, [&] { return call->finished || (closed_ && !call->started); });
    if (!call->finished) {
        throw crawl::WindowClosed();
    }
    if (call->error) {
        std::rethrow_exception(call->error);
    }
}

void HandOverQueue::RunPending()
{
    for (;;) {
        std::shared_ptr<Call> call;
        {
            const std::lock_guard lock(mutex_);
            if (closed_ || queued_.empty()) {
                return;
            }
            call = queued_.front();
            queued_.pop_front();
            call->started = true;
        }
        try {
            (*call->operation)();
        } catch (...) {
            call->error = std::current_exception();
        }
        const std::lock_guard lock(mutex_);
        call->finished = true;
        changed_.notify_all();
    }
}

void HandOverQueue::Close()
{
    const std::lock_guard lock(mutex_);
    closed_ = true;
    queued_.clear();
    changed_.notify_all();
}

} // namespace ui
