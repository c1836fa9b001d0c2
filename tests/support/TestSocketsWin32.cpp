#include "tests/support/TestSockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <stdexcept>
#include <string>

namespace testsupport {
namespace {

SOCKET AsSocket(int socket)
{
    return static_cast<SOCKET>(socket);
}

sockaddr_in LoopbackAddress(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    return address;
}

bool WaitFor(int socket, SHORT events, std::chrono::milliseconds timeout)
{
    WSAPOLLFD entry{};
    entry.fd = AsSocket(socket);
    entry.events = events;
    return ::WSAPoll(&entry, 1, static_cast<INT>(timeout.count())) > 0;
}

std::optional<long> Outcome(int result)
{
    if (result != SOCKET_ERROR) {
        return result;
    }
    const int error = ::WSAGetLastError();
    if (error == WSAEWOULDBLOCK || error == WSAEINTR) {
        return std::nullopt;
    }
    return -1;
}

int Clamp(std::size_t size)
{
    return static_cast<int>(std::min<std::size_t>(size, INT_MAX));
}

[[noreturn]] void Fail(const std::string& step)
{
    throw std::runtime_error("test socket: " + step + ": Windows Sockets error " +
                             std::to_string(::WSAGetLastError()));
}

} // namespace

void PrepareSockets()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data{};
        ::WSAStartup(MAKEWORD(2, 2), &data);
    });
}

int ListenOnLoopback(int port, int backlog)
{
    PrepareSockets();
    const SOCKET listenSocket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listenSocket == INVALID_SOCKET) {
        Fail("socket");
    }
    sockaddr_in address = LoopbackAddress(port);
    // SO_REUSEADDR means something else here (sharing a port in use); a fixed port is free
    // again at once anyway.
    if (::bind(listenSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenSocket, backlog) != 0) {
        const int error = ::WSAGetLastError();
        ::closesocket(listenSocket);
        ::WSASetLastError(error);
        Fail("listen on 127.0.0.1");
    }
    return static_cast<int>(listenSocket);
}

int LocalPort(int socket)
{
    sockaddr_in address{};
    int length = sizeof address;
    ::getsockname(AsSocket(socket), reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

int AcceptConnection(int listenSocket)
{
    const SOCKET socket = ::accept(AsSocket(listenSocket), nullptr, nullptr);
    if (socket == INVALID_SOCKET) {
        return NoSocket;
    }
    // An accepted socket inherits the listening socket's mode; connections start blocking.
    u_long blocking = 0;
    ::ioctlsocket(socket, FIONBIO, &blocking);
    return static_cast<int>(socket);
}

int ConnectToLoopback(int port, std::chrono::milliseconds limit)
{
    PrepareSockets();
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket == INVALID_SOCKET) {
        Fail("socket");
    }
    // Connected without blocking, so that `limit` bounds the connect.
    u_long mode = 1;
    ::ioctlsocket(socket, FIONBIO, &mode);
    const sockaddr_in address = LoopbackAddress(port);
    const bool started =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
        ::WSAGetLastError() == WSAEWOULDBLOCK;
    if (!started || !WaitWritable(static_cast<int>(socket), limit)) {
        ::closesocket(socket);
        throw std::runtime_error("test socket: connect failed");
    }
    mode = 0;
    ::ioctlsocket(socket, FIONBIO, &mode);
    return static_cast<int>(socket);
}

void CloseSocket(int socket)
{
    ::closesocket(AsSocket(socket));
}

void CloseWithReset(int socket)
{
    const linger reset{1, 0};
    ::setsockopt(AsSocket(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset),
                 sizeof reset);
    ::closesocket(AsSocket(socket));
}

void ShutdownSending(int socket)
{
    ::shutdown(AsSocket(socket), SD_SEND);
}

void ShutdownBoth(int socket)
{
    ::shutdown(AsSocket(socket), SD_BOTH);
}

void SetNonBlocking(int socket)
{
    u_long mode = 1;
    ::ioctlsocket(AsSocket(socket), FIONBIO, &mode);
}

bool WaitReadable(int socket, std::chrono::milliseconds timeout)
{
    return WaitFor(socket, POLLRDNORM, timeout);
}

bool WaitWritable(int socket, std::chrono::milliseconds timeout)
{
    return WaitFor(socket, POLLWRNORM, timeout);
}

std::optional<long> ReceiveSome(int socket, char* buffer, std::size_t size)
{
    return Outcome(::recv(AsSocket(socket), buffer, Clamp(size), 0));
}

std::optional<long> SendSome(int socket, std::string_view bytes)
{
    return Outcome(::send(AsSocket(socket), bytes.data(), Clamp(bytes.size()), 0));
}

} // namespace testsupport
