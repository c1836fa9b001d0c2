#include "tests/support/TestSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>

namespace testsupport {
namespace {

sockaddr_in LoopbackAddress(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

bool WaitFor(int socket, short events, std::chrono::milliseconds timeout)
{
    pollfd entry{socket, events, 0};
    return ::poll(&entry, 1, static_cast<int>(timeout.count())) > 0;
}

std::optional<long> Outcome(ssize_t result)
{
    if (result >= 0) {
        return static_cast<long>(result);
    }
    if (errno == EAGAIN || errno == EINTR) {
        return std::nullopt;
    }
    return -1;
}

} // namespace

void PrepareSockets()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

int ListenOnLoopback(int port, int backlog)
{
    PrepareSockets();
    const int listenSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenSocket < 0) {
        throw std::runtime_error(std::string("test socket: socket: ") + std::strerror(errno));
    }
    sockaddr_in address = LoopbackAddress(port);
    // A fixed port must be free again at once after a restart, despite lingering connections.
    const int reuse = 1;
    if ((port != 0 &&
         ::setsockopt(listenSocket, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0) ||
        ::bind(listenSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenSocket, backlog) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(listenSocket);
        throw std::runtime_error("test socket: listen on 127.0.0.1: " + reason);
    }
    return listenSocket;
}

int LocalPort(int socket)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

int AcceptConnection(int listenSocket)
{
    const int socket = ::accept4(listenSocket, nullptr, nullptr, SOCK_CLOEXEC);
    return socket < 0 ? NoSocket : socket;
}

int ConnectToLoopback(int port, std::chrono::milliseconds limit)
{
    PrepareSockets();
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
    const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(limit - seconds);
    const timeval value{static_cast<time_t>(seconds.count()),
                        static_cast<suseconds_t>(micro.count())};
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value); // bounds the connect
    const sockaddr_in address = LoopbackAddress(port);
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        throw std::runtime_error("test socket: connect failed");
    }
    return socket;
}

void CloseSocket(int socket)
{
    ::close(socket);
}

void CloseWithReset(int socket)
{
    const linger reset{1, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(socket);
}

void ShutdownSending(int socket)
{
    ::shutdown(socket, SHUT_WR);
}

void ShutdownBoth(int socket)
{
    ::shutdown(socket, SHUT_RDWR);
}

void SetNonBlocking(int socket)
{
    ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
}

bool WaitReadable(int socket, std::chrono::milliseconds timeout)
{
    return WaitFor(socket, POLLIN, timeout);
}

bool WaitWritable(int socket, std::chrono::milliseconds timeout)
{
    return WaitFor(socket, POLLOUT, timeout);
}

std::optional<long> ReceiveSome(int socket, char* buffer, std::size_t size)
{
    return Outcome(::recv(socket, buffer, size, 0));
}

std::optional<long> SendSome(int socket, std::string_view bytes)
{
    return Outcome(::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL));
}

} // namespace testsupport
