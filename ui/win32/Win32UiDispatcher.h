#pragma once

#include "ui/HandOverDispatcher.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace ui::win32 {

// Runs the worker's operations on the window's thread: the call is queued, a message posted to
// the window wakes its thread, which runs the queue while the calling thread waits, and the
// operation's exception is carried back to the caller. Once closed, every waiting and later
// call throws crawl::WindowClosed without touching the window; an operation that has already
// begun is waited for, so nothing of it outlives its caller.
class Win32UiDispatcher : public HandOverDispatcher {
public:
    // The message the window passes to RunPending(); posted to `window`.
    static constexpr UINT RunMessage = WM_APP + 1;

    explicit Win32UiDispatcher(HWND window);
    ~Win32UiDispatcher() override;
    Win32UiDispatcher(const Win32UiDispatcher&) = delete;
    Win32UiDispatcher& operator=(const Win32UiDispatcher&) = delete;

    void Invoke(const std::function<void()>& operation) override;

    // On the window's thread, for RunMessage: runs the calls queued so far.
    void RunPending();

    // On the window's thread when the window closes.
    void Close() override;

private:
    struct Call {
        const std::function<void()>* operation;
        bool started = false;
        bool finished = false;
        std::exception_ptr error;
    };

    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        // Null once closed; nothing is queued or posted after that.
        HWND window = nullptr;
        DWORD windowThread = 0;
        std::deque<std::shared_ptr<Call>> queued;
    };

    // Shared with the calls under way, which may outlive this object.
    std::shared_ptr<Shared> shared_;
};

} // namespace ui::win32
