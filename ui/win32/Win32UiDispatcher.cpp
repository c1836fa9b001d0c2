#include "ui/win32/Win32UiDispatcher.h"

#include <stdexcept>

namespace ui::win32 {

Win32UiDispatcher::Win32UiDispatcher(HWND window) : shared_(std::make_shared<Shared>())
{
    shared_->window = window;
    shared_->windowThread = GetWindowThreadProcessId(window, nullptr);
}

Win32UiDispatcher::~Win32UiDispatcher()
{
    Close();
}

void Win32UiDispatcher::Invoke(const std::function<void()>& operation)
{
    const std::shared_ptr<Shared> shared = shared_;
    auto call = std::make_shared<Call>();
    call->operation = &operation;
    std::unique_lock lock(shared->mutex);
    if (shared->window == nullptr) {
        throw crawl::WindowClosed();
    }
    // A blocking call onto its own thread would wait for itself forever.
    if (GetCurrentThreadId() == shared->windowThread) {
        throw std::logic_error("UiDispatcher::Invoke called on the UI thread");
    }
    shared->queued.push_back(call);
    PostMessageW(shared->window, RunMessage, 0, 0);
    // Close() empties the queue, so a call not yet started then never runs; one that has
    // started is waited for, since it uses `operation`, which lives with the caller.
    shared->changed.wait(
        lock, [&] { return call->finished || (shared->window == nullptr && !call->started); });
    if (!call->finished) {
        throw crawl::WindowClosed();
    }
    if (call->error) {
        std::rethrow_exception(call->error);
    }
}

void Win32UiDispatcher::RunPending()
{
    for (;;) {
        std::shared_ptr<Call> call;
        {
            const std::lock_guard lock(shared_->mutex);
            if (shared_->window == nullptr || shared_->queued.empty()) {
                return;
            }
            call = shared_->queued.front();
            shared_->queued.pop_front();
            call->started = true;
        }
        try {
            (*call->operation)();
        } catch (...) {
            call->error = std::current_exception();
        }
        const std::lock_guard lock(shared_->mutex);
        call->finished = true;
        shared_->changed.notify_all();
    }
}

void Win32UiDispatcher::Close()
{
    const std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
    shared_->queued.clear();
    shared_->changed.notify_all();
}

} // namespace ui::win32
