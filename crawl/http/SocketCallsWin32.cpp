#include "crawl/http/SocketCalls.h"

#include "crawl/http/SocketError.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string>

namespace crawl::http {
namespace {

SOCKET AsSocket(int socket)
{
    return static_cast<SOCKET>(socket);
}

const sockaddr* AddressOf(const SocketAddress& address)
{
    return reinterpret_cast<const sockaddr*>(address.storage);
}

[[noreturn]] void ThrowLastSocketError()
{
    ThrowSocketError(::WSAGetLastError());
}

void SetNonBlocking(int socket, bool nonBlocking)
{
    u_long mode = nonBlocking ? 1 : 0;
    ::ioctlsocket(AsSocket(socket), FIONBIO, &mode);
}

} // namespace

void StartSockets()
{
    // Once for the life of the process; WSACleanup is left to the process's end.
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data{};
        if (const int result = ::WSAStartup(MAKEWORD(2, 2), &data); result != 0) {
            ThrowSocketError(result);
        }
    });
}

int OpenTcpSocket(int family)
{
    StartSockets();
    // WSA_FLAG_OVERLAPPED: without it SO_RCVTIMEO and SO_SNDTIMEO are ignored.
    const SOCKET socket =
        ::WSASocketW(family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    if (socket == INVALID_SOCKET) {
        ThrowLastSocketError();
    }
    // The socket is not inherited by programs this one starts.
    ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
    // A request goes out as two writes (head, then body): with Nagle's algorithm the body would
    // wait for the acknowledgement of the head, which the server delays by some 40 ms.
    const BOOL noDelay = TRUE;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                 sizeof noDelay);
    return static_cast<int>(socket);
}

void CloseSocket(int socket) noexcept
{
    ::closesocket(AsSocket(socket));
}

int ConnectBlocking(int socket, const SocketAddress& address)
{
    if (::connect(AsSocket(socket), AddressOf(address), address.length) == 0) {
        return 0;
    }
    return ::WSAGetLastError();
}

void SetSocketTimeouts(int socket, std::chrono::milliseconds timeout)
{
    // Windows Sockets take these time-outs as a DWORD of milliseconds, not a timeval.
    const DWORD milliseconds = static_cast<DWORD>(timeout.count());
    const auto* value = reinterpret_cast<const char*>(&milliseconds);
    ::setsockopt(AsSocket(socket), SOL_SOCKET, SO_RCVTIMEO, value, sizeof milliseconds);
    ::setsockopt(AsSocket(socket), SOL_SOCKET, SO_SNDTIMEO, value, sizeof milliseconds);
}

bool PollReadable(int socket, std::chrono::milliseconds timeout)
{
    WSAPOLLFD entry{};
    entry.fd = AsSocket(socket);
    entry.events = POLLRDNORM;
    const int result = ::WSAPoll(&entry, 1, static_cast<INT>(timeout.count()));
    if (result == SOCKET_ERROR) {
        ThrowLastSocketError();
    }
    return result > 0;
}

std::optional<std::size_t> ReceiveSome(int socket, char* buffer, std::size_t size)
{
    const int received =
        ::recv(AsSocket(socket), buffer, static_cast<int>(std::min<std::size_t>(size, INT_MAX)), 0);
    if (received != SOCKET_ERROR) {
        return static_cast<std::size_t>(received);
    }
    const int error = ::WSAGetLastError();
    if (error != WSAEINTR && error != WSAEWOULDBLOCK) {
        ThrowSocketError(error);
    }
    return std::nullopt;
}

void SendAll(int socket, std::string_view bytes)
{
    while (!bytes.empty()) {
        const int sent = ::send(AsSocket(socket), bytes.data(),
                                static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)), 0);
        if (sent == SOCKET_ERROR) {
            const int error = ::WSAGetLastError();
            if (error == WSAEINTR) {
                continue;
            }
            ThrowSocketError(error == WSAEWOULDBLOCK ? WinsockTimedOut : error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool IsTimeoutError(int winsockNumber)
{
    // A receive that outlasts SO_RCVTIMEO fails with WSAETIMEDOUT.
    return winsockNumber == WinsockTimedOut || winsockNumber == WinsockWouldBlock;
}

int WithoutBrokenPipeSignal(const std::function<int()>& call)
{
    return call(); // Windows raises no signal for a peer that has gone
}

bool IsIpv4Literal(std::u16string_view host)
{
    const std::wstring text(host.begin(), host.end());
    IN_ADDR ipv4{};
    return ::InetPtonW(AF_INET, text.c_str(), &ipv4) == 1;
}

struct AbandonableConnect::Signal {
    WSAEVENT connected = WSA_INVALID_EVENT;
    WSAEVENT abandoned = WSA_INVALID_EVENT;
};

AbandonableConnect::AbandonableConnect(int socket)
    : socket_(socket), signal_(std::make_unique<Signal>())
{
    signal_->connected = ::WSACreateEvent();
    signal_->abandoned = ::WSACreateEvent();
    // Selecting the connect event also makes the socket non-blocking.
    if (signal_->connected == WSA_INVALID_EVENT || signal_->abandoned == WSA_INVALID_EVENT ||
        ::WSAEventSelect(AsSocket(socket_), signal_->connected, FD_CONNECT) != 0) {
        const int error = ::WSAGetLastError();
        ::WSACloseEvent(signal_->connected);
        ::WSACloseEvent(signal_->abandoned);
        ThrowSocketError(error);
    }
}

AbandonableConnect::~AbandonableConnect()
{
    ::WSAEventSelect(AsSocket(socket_), nullptr, 0);
    SetNonBlocking(socket_, false);
    ::WSACloseEvent(signal_->connected);
    ::WSACloseEvent(signal_->abandoned);
}

int AbandonableConnect::Run(const SocketAddress& address)
{
    if (::connect(AsSocket(socket_), AddressOf(address), address.length) == 0) {
        return 0;
    }
    if (const int error = ::WSAGetLastError(); error != WSAEWOULDBLOCK) {
        return error;
    }
    const WSAEVENT events[2] = {signal_->connected, signal_->abandoned};
    const DWORD woken = ::WSAWaitForMultipleEvents(2, events, FALSE, WSA_INFINITE, FALSE);
    if (woken != WSA_WAIT_EVENT_0) {
        return WinsockInterrupted;
    }
    WSANETWORKEVENTS happened{};
    if (::WSAEnumNetworkEvents(AsSocket(socket_), signal_->connected, &happened) != 0) {
        return ::WSAGetLastError();
    }
    return happened.iErrorCode[FD_CONNECT_BIT];
}

void AbandonableConnect::Abandon()
{
    ::WSASetEvent(signal_->abandoned);
}

} // namespace crawl::http
