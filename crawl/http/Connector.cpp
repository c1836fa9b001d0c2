#include "crawl/http/Connector.h"

#include "crawl/Error.h"
#include "crawl/http/SocketError.h"

#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>

namespace crawl::http {
namespace {

SocketHandle OpenSocket(int family)
{
    SocketHandle socket(::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.Get() < 0) {
        ThrowSocketError(errno);
    }
    // A request goes out as two writes (head, then body): with Nagle's algorithm the body would
    // wait for the acknowledgement of the head, which the server delays by some 40 ms.
    const int noDelay = 1;
    ::setsockopt(socket.Get(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    return socket;
}

int PendingSocketError(int socket)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return errno;
    }
    return error;
}

// Waits for a connect in progress to end, or for `cancel` to become readable (then ECANCELED).
int FinishConnect(int socket, int cancel)
{
    pollfd entries[2] = {{socket, POLLOUT, 0}, {cancel, POLLIN, 0}};
    const nfds_t count = cancel >= 0 ? 2 : 1;
    for (;;) {
        const int result = ::poll(entries, count, -1);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0) {
            return errno;
        }
        if (count == 2 && entries[1].revents != 0) {
            return ECANCELED;
        }
        return PendingSocketError(socket);
    }
}

// The errno of a connect (0 on success); `cancel` (or -1) abandons it.
int Connect(int socket, const SocketAddress& address, int cancel)
{
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address.storage), address.length) ==
        0) {
        return 0;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        return errno;
    }
    return FinishConnect(socket, cancel);
}

// The connect of the UI thread, run on a thread of its own.
class BackgroundConnect {
public:
    BackgroundConnect(int socket, const SocketAddress& address) : cancel_(::eventfd(0, EFD_CLOEXEC))
    {
        if (cancel_.Get() < 0) {
            ThrowSocketError(errno);
        }
        ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
        thread_ = std::thread([this, socket, address] {
            const int result = Connect(socket, address, cancel_.Get());
            const std::lock_guard lock(mutex_);
            result_ = result;
            done_ = true;
            finished_.notify_all();
        });
    }
    // Abandons a connect still running and waits for its thread.
    ~BackgroundConnect()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(cancel_.Get(), &one, sizeof one);
        thread_.join();
    }
    BackgroundConnect(const BackgroundConnect&) = delete;
    BackgroundConnect& operator=(const BackgroundConnect&) = delete;

    // The connect's errno once it ended within `slice`.
    std::optional<int> WaitFor(std::chrono::milliseconds slice)
    {
        std::unique_lock lock(mutex_);
        if (!finished_.wait_for(lock, slice, [this] { return done_; })) {
            return std::nullopt;
        }
        return result_;
    }

private:
    SocketHandle cancel_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    int result_ = 0;
    std::thread thread_;
};

int ConnectOnUiThread(int socket, const SocketAddress& address, const WaitPolicy& policy)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + policy.uiConnectTimeout;
    BackgroundConnect connect(socket, address);
    for (;;) {
        if (const std::optional<int> result = connect.WaitFor(UiConnectSlice)) {
            ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) & ~O_NONBLOCK);
            return *result;
        }
        if (Clock::now() >= deadline) {
            throw Error(u"Connect timed out.");
        }
        policy.processMessages();
    }
}

} // namespace

SocketHandle ConnectTo(const SocketAddress& address, const WaitPolicy& policy)
{
    SocketHandle socket = OpenSocket(address.Family());
    const int result = policy.OnUiThread() ? ConnectOnUiThread(socket.Get(), address, policy)
                                           : Connect(socket.Get(), address, -1);
    if (result != 0) {
        ThrowSocketError(result);
    }
    return socket;
}

} // namespace crawl::http
