#include "crawl/http/Connector.h"

#include "crawl/Error.h"
#include "crawl/http/SocketCalls.h"
#include "crawl/http/SocketError.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace crawl::http {
namespace {

// The connect of the UI thread, run on a thread of its own.
class BackgroundConnect {
public:
    BackgroundConnect(int socket, const SocketAddress& address) : connect_(socket)
    {
        thread_ = std::thread([this, address] {
            const int result = connect_.Run(address);
            const std::lock_guard lock(mutex_);
            result_ = result;
            done_ = true;
            finished_.notify_all();
        });
    }
    // Abandons a connect still running and waits for its thread.
    ~BackgroundConnect()
    {
        connect_.Abandon();
        thread_.join();
    }
    BackgroundConnect(const BackgroundConnect&) = delete;
    BackgroundConnect& operator=(const BackgroundConnect&) = delete;

    // The connect's outcome (0 or a Windows Sockets number) once it ended within `slice`.
    std::optional<int> WaitFor(std::chrono::milliseconds slice)
    {
        std::unique_lock lock(mutex_);
        if (!finished_.wait_for(lock, slice, [this] { return done_; })) {
            return std::nullopt;
        }
        return result_;
    }

private:
    AbandonableConnect connect_;
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
    SocketHandle socket(OpenTcpSocket(address.Family()));
    const int result = policy.OnUiThread() ? ConnectOnUiThread(socket.Get(), address, policy)
                                           : ConnectBlocking(socket.Get(), address);
    if (result != 0) {
        ThrowSocketError(result);
    }
    return socket;
}

} // namespace crawl::http
