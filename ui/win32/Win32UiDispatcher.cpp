#include "ui/win32/Win32UiDispatcher.h"

#include <stdexcept>

namespace ui::win32 {

Win32UiDispatcher::Win32UiDispatcher(HWND window)
    : window_(window), windowThread_(GetWindowThreadProcessId(window, nullptr)),
      queue_(std::make_shared<HandOverQueue>())
{
}

Win32UiDispatcher::~Win32UiDispatcher()
{
    Close();
}

void Win32UiDispatcher::Invoke(const std::function<void()>& operation)
{
    // A blocking call onto its own thread would wait for itself forever.
    if (GetCurrentThreadId() == windowThread_) {
        throw std::logic_error("UiDispatcher::Invoke called on the UI thread");
    }
    // Copied: this object may go while the call waits. The window is only posted to while
    // the queue is open, which it is not once the window has closed.
    const std::shared_ptr<HandOverQueue> queue = queue_;
    const HWND window = window_;
    queue->Invoke(operation, [window] { PostMessageW(window, RunMessage, 0, 0); });
}

void Win32UiDispatcher::RunPending()
{
    queue_->RunPending();
}

void Win32UiDispatcher::Close()
{
    queue_->Close();
}

} // namespace ui::win32
