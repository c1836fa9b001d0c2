#pragma once

#include "crawl/Error.h"

#include <functional>

namespace crawl {

// Runs operations on the UI thread for a worker thread. The window's dispatcher is its
// toolkit's; tests use a plain loop thread.
class UiDispatcher {
public:
    virtual ~UiDispatcher() = default;

    // Runs `operation` on the UI thread and returns once it has finished; an exception thrown
    // by it is thrown again here. Must never be called from the UI thread itself. Once the
    // window has closed, throws WindowClosed without running anything.
    virtual void Invoke(const std::function<void()>& operation) = 0;
};

// The window is gone: the worker must not touch it any more and ends its run quietly.
class WindowClosed : public Error {
public:
    WindowClosed() : Error(u"The window has closed.") {}
};

} // namespace crawl
