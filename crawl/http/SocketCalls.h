#pragma once

#include "crawl/http/Resolver.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

// The socket calls whose form differs between the platforms; each side in a file of its own
// (SocketCallsPosix.cpp, SocketCallsWin32.cpp). A socket is an int on both: a Windows socket
// handle fits one, as the TLS library's SSL_set_fd assumes. Failures are thrown as socket
// messages with Windows Sockets numbers.
namespace crawl::http {

// Makes the platform's socket library ready; does its work once per process (Windows).
void StartSockets();

// A new TCP socket of the address family, without Nagle's delay.
int OpenTcpSocket(int family);
void CloseSocket(int socket) noexcept;

// 0, or the Windows Sockets number of a failed blocking connect.
int ConnectBlocking(int socket, const SocketAddress& address);

// The socket's own receive and send time-outs.
void SetSocketTimeouts(int socket, std::chrono::milliseconds timeout);

// True when the socket became readable (data or close) within `timeout`.
bool PollReadable(int socket, std::chrono::milliseconds timeout);

// Receives up to `size` bytes: their number (0 once the peer closed), or nothing when the
// call was interrupted or found no data after all (to be waited for again).
std::optional<std::size_t> ReceiveSome(int socket, char* buffer, std::size_t size);

// Sends every byte; a send time-out is 10060.
void SendAll(int socket, std::string_view bytes);

// True when a receive or send failed because the socket's own time-out ran out.
bool IsTimeoutError(int winsockNumber);

// Runs `call`, a socket write made by the TLS library, so that a peer that has gone cannot
// raise a signal in the program (Linux: SIGPIPE held back and dropped; Windows has none).
int WithoutBrokenPipeSignal(const std::function<int()>& call);

// True when `host` is an IPv4 address written in dotted decimal.
bool IsIpv4Literal(std::u16string_view host);

// A connect on its own thread that another thread may abandon: the socket is non-blocking
// while it lives and blocking again afterwards.
class AbandonableConnect {
public:
    explicit AbandonableConnect(int socket);
    ~AbandonableConnect();
    AbandonableConnect(const AbandonableConnect&) = delete;
    AbandonableConnect& operator=(const AbandonableConnect&) = delete;

    // Connects and waits until the connect has ended or Abandon has been called: 0, the
    // Windows Sockets number of the failure, or 10004 when abandoned.
    int Run(const SocketAddress& address);
    // Callable from any thread, also before Run.
    void Abandon();

private:
    struct Signal; // what wakes the waiting Run: an eventfd, or a Windows Sockets event
    int socket_;
    std::unique_ptr<Signal> signal_;
};

} // namespace crawl::http
