#include "crawl/http/SocketWait.h"

#include "crawl/Error.h"
#include "crawl/http/SocketError.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace crawl::http {
namespace {

// Polls once; true when the socket became readable within `timeout`.
bool PollReadable(int socket, std::chrono::milliseconds timeout)
{
    pollfd entry{socket, POLLIN, 0};
    const int result = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    if (result < 0) {
        if (errno == EINTR) {
            return false;
        }
        ThrowSocketError(errno);
    }
    return result > 0;
}

} // namespace

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
