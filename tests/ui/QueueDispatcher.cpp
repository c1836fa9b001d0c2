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
    queue_.Invoke(operation, [this] {
        const std::lock_guard lock(wakeMutex_);
        workArrived_ = true;
        woken_.notify_all();
    });
}

void QueueDispatcher::Close()
{
    queue_.Close();
}

void QueueDispatcher::RunPending()
{
    {
        const std::lock_guard lock(wakeMutex_);
        workArrived_ = false;
    }
    queue_.RunPending();
}

void QueueDispatcher::WaitForWork(std::chrono::milliseconds limit)
{
    std::unique_lock lock(wakeMutex_);
    woken_.wait_for(lock, limit, [&] { return workArrived_; });
}

} // namespace ui::test
