#include "ui/qt/QtUiDispatcher.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <exception>
#include <stdexcept>

namespace ui {

namespace {

struct Call {
    bool started = false;
    bool finished = false;
    std::exception_ptr error;
};

} // namespace

QtUiDispatcher::QtUiDispatcher(QObject* window) : shared_(std::make_shared<Shared>())
{
    shared_->window = window;
}

QtUiDispatcher::~QtUiDispatcher()
{
    Close();
}

void QtUiDispatcher::Invoke(const std::function<void()>& operation)
{
    const std::shared_ptr<Shared> shared = shared_;
    auto call = std::make_shared<Call>();
    std::unique_lock lock(shared->mutex);
    if (shared->window == nullptr) {
        throw crawl::WindowClosed();
    }
    // A blocking call onto its own thread would wait for itself forever.
    if (QThread::currentThread() == shared->window->thread()) {
        throw std::logic_error("UiDispatcher::Invoke called on the UI thread");
    }
    QMetaObject::invokeMethod(
        shared->window,
        [shared, call, &operation] {
            {
                const std::lock_guard callLock(shared->mutex);
                if (shared->window == nullptr) {
                    return;
                }
                call->started = true;
            }
            try {
                operation();
            } catch (...) {
                call->error = std::current_exception();
            }
            const std::lock_guard callLock(shared->mutex);
            call->finished = true;
            shared->changed.notify_all();
        },
        Qt::QueuedConnection);

    shared->changed.wait(
        lock, [&] { return call->finished || (shared->window == nullptr && !call->started); });
    if (!call->finished) {
        throw crawl::WindowClosed();
    }
    if (call->error) {
        std::rethrow_exception(call->error);
    }
}

void QtUiDispatcher::Close()
{
    const std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
    shared_->changed.notify_all();
}

} // namespace ui
