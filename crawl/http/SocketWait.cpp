#include "crawl/http/SocketWait.h"

#include "crawl/Error.h"
#include "crawl/http/SocketCalls.h"

#include <algorithm>

namespace crawl::http {

void WaitReadable(int socket, const WaitPolicy& policy)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + policy.readTimeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            throw Error(u"Read timed out.");
        }
        const auto slice = policy.OnUiThread() ? std::min(left, UiDataSlice) : left;
        if (PollReadable(socket, slice)) {
            return;
        }
        if (policy.OnUiThread()) {
            policy.processMessages();
        }
    }
}

} // namespace crawl::http
