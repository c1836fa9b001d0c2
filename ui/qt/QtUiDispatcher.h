#pragma once

#include "ui/HandOverDispatcher.h"
#include "ui/HandOverQueue.h"

#include <memory>

class QObject;
class QThread;

namespace ui {

// Runs the worker's operations on the thread of a window object: a queued call that the
// calling thread waits for (see HandOverQueue), woken by a queued Qt call to the window.
class QtUiDispatcher : public HandOverDispatcher {
public:
    explicit QtUiDispatcher(QObject* window);
    ~QtUiDispatcher() override;

    void Invoke(const std::function<void()>& operation) override;

    // Called on the window's thread when the window closes.
    void Close() override;

private:
    QObject* window_;
    QThread* windowThread_;
    // Shared with the calls under way, which may outlive this object.
    std::shared_ptr<HandOverQueue> queue_;
};

} // namespace ui
