#include "ui/qt/QtUiDispatcher.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <stdexcept>

namespace ui {

QtUiDispatcher::QtUiDispatcher(QObject* window)
    : window_(window), windowThread_(window->thread()), queue_(std::make_shared<HandOverQueue>())
{
}

QtUiDispatcher::~QtUiDispatcher()
{
    Close();
}

void QtUiDispatcher::Invoke(const std::function<void()>& operation)
{
    // A blocking call onto its own thread would wait for itself forever.
    if (QThread::currentThread() == windowThread_) {
        throw std::logic_error("UiDispatcher::Invoke called on the UI thread");
    }
    // Copied: this object may go while the call waits. The window is only posted to while
    // the queue is open, which it is not once the window has closed.
    const std::shared_ptr<HandOverQueue> queue = queue_;
    QObject* const window = window_;
    queue->Invoke(operation, [&] {
        QMetaObject::invokeMethod(
            window, [queue] { queue->RunPending(); }, Qt::QueuedConnection);
    });
}

void QtUiDispatcher::Close()
{
    queue_->Close();
}

} // namespace ui
