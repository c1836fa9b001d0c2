#pragma once

#include "ui/HandOverDispatcher.h"

#include <condition_variable>
#include <memory>
#include <mutex>

class QObject;

namespace ui {

// Runs the worker's operations on the thread of a window object: a queued call that the
// calling thread waits for, with the operation's exception carried back to it. Once closed,
// every waiting and later call throws crawl::WindowClosed instead of touching the window;
// an operation that has already begun is waited for, so nothing of it outlives its caller.
class QtUiDispatcher : public HandOverDispatcher {
public:
    explicit QtUiDispatcher(QObject* window);
    ~QtUiDispatcher() override;

    void Invoke(const std::function<void()>& operation) override;

    // Called on the window's thread when the window closes.
    void Close() override;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        // Null once closed; calls are posted to it under the mutex, so never after Close().
        QObject* window = nullptr;
    };

    // Shared with the calls under way, which may outlive this object.
    std::shared_ptr<Shared> shared_;
};

} // namespace ui
