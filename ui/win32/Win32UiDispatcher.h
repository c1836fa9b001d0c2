#pragma once

#include "ui/HandOverDispatcher.h"
#include "ui/HandOverQueue.h"

#include <windows.h>

#include <memory>

namespace ui::win32 {

// Runs the worker's operations on the window's thread: a queued call that the calling thread
// waits for (see HandOverQueue), woken by a message posted to the window, which passes it to
// RunPending().
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
    HWND window_;
    DWORD windowThread_;
    // Shared with the calls under way, which may outlive this object.
    std::shared_ptr<HandOverQueue> queue_;
};

} // namespace ui::win32
