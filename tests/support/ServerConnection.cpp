#include "tests/support/ServerConnection.h"

#include "tests/support/TestSockets.h"

#include <chrono>

namespace testsupport {
namespace {

// How often a waiting connection looks at the stop flag.
constexpr std::chrono::milliseconds StopCheckSlice{20};

class PlainConnection : public ServerConnection {
public:
    PlainConnection(int socket, const std::atomic<bool>& stopping)
        : socket_(socket), stopping_(stopping)
    {
    }

    bool Accept() override { return true; }

    std::size_t Read(char* buffer, std::size_t size) override
    {
        for (;;) {
            const std::optional<long> received = ReceiveSome(socket_, buffer, size);
            if (received) {
                return *received > 0 ? static_cast<std::size_t>(*received) : 0;
            }
            if (!AwaitSocket(socket_, SocketWait::Readable, stopping_)) {
                return 0;
            }
        }
    }

    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const std::optional<long> sent = SendSome(socket_, bytes);
            if (!sent) {
                if (!AwaitSocket(socket_, SocketWait::Writable, stopping_)) {
                    return false;
                }
                continue;
            }
            if (*sent <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(*sent));
        }
        return true;
    }

    void FinishSending() override { ShutdownSending(socket_); }

private:
    int socket_;
    const std::atomic<bool>& stopping_;
};

} // namespace

bool AwaitSocket(int socket, SocketWait wait, const std::atomic<bool>& stopping)
{
    while (!stopping.load()) {
        const bool ready = wait == SocketWait::Readable ? WaitReadable(socket, StopCheckSlice)
                                                        : WaitWritable(socket, StopCheckSlice);
        if (ready) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<ServerConnection> MakePlainConnection(int socket,
                                                      const std::atomic<bool>& stopping)
{
    return std::make_unique<PlainConnection>(socket, stopping);
}

} // namespace testsupport
