#pragma once

#include "crawl/run/UiDispatcher.h"

namespace ui {

// The toolkit's way of running a worker's operation on the UI thread, which the window closes
// when it closes: from then on every waiting and later call throws crawl::WindowClosed instead
// of touching the window, and an operation that has already begun is waited for.
class HandOverDispatcher : public crawl::UiDispatcher {
public:
    // Called on the UI thread.
    virtual void Close() = 0;
};

} // namespace ui
