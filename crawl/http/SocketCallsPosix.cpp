#include "crawl/http/SocketCalls.h"

#include "crawl/http/SocketError.h"
#include "crawl/http/SocketErrorPosix.h"
#include "crawl/text/Text.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace crawl::http {
namespace {

[[noreturn]] void ThrowErrno(int errnoValue)
{
    ThrowSocketError(WinsockNumberFromErrno(errnoValue));
}

const sockaddr* AddressOf(const SocketAddress& address)
{
    return reinterpret_cast<const sockaddr*>(address.storage);
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

void SetNonBlocking(int socket, bool nonBlocking)
{
    const int flags = ::fcntl(socket, F_GETFL);
    ::fcntl(socket, F_SETFL, nonBlocking ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

// The library writes to the socket itself: a peer that has gone must not raise SIGPIPE in
// the program, so the signal is held back in this thread around each call and dropped.
class SigpipeHeldBack {
public:
    SigpipeHeldBack()
    {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        pendingBefore_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigpipeHeldBack()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!pendingBefore_ && sigismember(&pending, SIGPIPE) == 1) {
            const timespec noWait{0, 0};
            sigtimedwait(&pipeOnly_, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeHeldBack(const SigpipeHeldBack&) = delete;
    SigpipeHeldBack& operator=(const SigpipeHeldBack&) = delete;

private:
    sigset_t pipeOnly_;
    sigset_t previous_;
    bool pendingBefore_ = false;
};

} // namespace

void StartSockets()
{
}

int OpenTcpSocket(int family)
{
    const int socket = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        ThrowErrno(errno);
    }
    // A request goes out as two writes (head, then body): with Nagle's algorithm the body would
    // wait for the acknowledgement of the head, which the server delays by some 40 ms.
    const int noDelay = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    return socket;
}

void CloseSocket(int socket) noexcept
{
    ::close(socket);
}

int ConnectBlocking(int socket, const SocketAddress& address)
{
    if (::connect(socket, AddressOf(address), static_cast<socklen_t>(address.length)) == 0) {
        return 0;
    }
    if (errno != EINTR) {
        return WinsockNumberFromErrno(errno);
    }
    // An interrupted connect goes on in the background; wait for its end.
    pollfd entry{socket, POLLOUT, 0};
    while (::poll(&entry, 1, -1) < 0 && errno == EINTR) {
    }
    return WinsockNumberFromErrno(PendingSocketError(socket));
}

void SetSocketTimeouts(int socket, std::chrono::milliseconds timeout)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(timeout - seconds);
    const timeval value{static_cast<time_t>(seconds.count()),
                        static_cast<suseconds_t>(micro.count())};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value);
}

bool PollReadable(int socket, std::chrono::milliseconds timeout)
{
    pollfd entry{socket, POLLIN, 0};
    const int result = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    if (result < 0) {
        if (errno == EINTR) {
            return false;
        }
        ThrowErrno(errno);
    }
    return result > 0;
}

std::optional<std::size_t> ReceiveSome(int socket, char* buffer, std::size_t size)
{
    const ssize_t received = ::recv(socket, buffer, size, 0);
    if (received >= 0) {
        return static_cast<std::size_t>(received);
    }
    if (errno != EINTR && errno != EAGAIN) {
        ThrowErrno(errno);
    }
    return std::nullopt;
}

void SendAll(int socket, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowErrno(errno == EAGAIN ? ETIMEDOUT : errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

bool IsTimeoutError(int winsockNumber)
{
    // A receive time-out shows as EAGAIN here.
    return winsockNumber == WinsockWouldBlock;
}

int WithoutBrokenPipeSignal(const std::function<int()>& call)
{
    const SigpipeHeldBack held;
    return call();
}

bool IsIpv4Literal(std::u16string_view host)
{
    in_addr ipv4{};
    return ::inet_pton(AF_INET, Utf16ToUtf8(host).c_str(), &ipv4) == 1;
}

struct AbandonableConnect::Signal {
    int eventDescriptor = -1;
};

AbandonableConnect::AbandonableConnect(int socket)
    : socket_(socket), signal_(std::make_unique<Signal>())
{
    signal_->eventDescriptor = ::eventfd(0, EFD_CLOEXEC);
    if (signal_->eventDescriptor < 0) {
        ThrowErrno(errno);
    }
    SetNonBlocking(socket_, true);
}

AbandonableConnect::~AbandonableConnect()
{
    SetNonBlocking(socket_, false);
    ::close(signal_->eventDescriptor);
}

int AbandonableConnect::Run(const SocketAddress& address)
{
    if (::connect(socket_, AddressOf(address), static_cast<socklen_t>(address.length)) == 0) {
        return 0;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        return WinsockNumberFromErrno(errno);
    }
    pollfd entries[2] = {{socket_, POLLOUT, 0}, {signal_->eventDescriptor, POLLIN, 0}};
    for (;;) {
        const int result = ::poll(entries, 2, -1);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0) {
            return WinsockNumberFromErrno(errno);
        }
        if (entries[1].revents != 0) {
            return WinsockInterrupted;
        }
        return WinsockNumberFromErrno(PendingSocketError(socket_));
    }
}

void AbandonableConnect::Abandon()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written =
        ::write(signal_->eventDescriptor, &one, sizeof one);
}

} // namespace crawl::http
