#include "tests/support/ServerConnection.h"

#include <sys/socket.h>

#include <cerrno>

namespace testsupport {
namespace {

class PlainConnection : public ServerConnection {
public:
    explicit PlainConnection(int socket) : socket_(socket) {}

    bool Accept() override { return true; }

    std::size_t Read(char* buffer, std::size_t size) override
    {
        for (;;) {
            const ssize_t received = recv(socket_, buffer, size, 0);
            if (received >= 0) {
                return static_cast<std::size_t>(received);
            }
            if (errno != EINTR) {
                return 0;
            }
        }
    }

    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t sent = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR) {
                continue;
            }
            if (sent <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    void FinishSending() override { shutdown(socket_, SHUT_WR); }

private:
    int socket_;
};

} // namespace

std::unique_ptr<ServerConnection> MakePlainConnection(int socket)
{
    return std::make_unique<PlainConnection>(socket);
}

} // namespace testsupport
