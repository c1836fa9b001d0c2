#include "crawl/http/TcpTransport.h"

#include "crawl/http/SocketError.h"

#include <cerrno>
#include <sys/socket.h>

namespace crawl::http {
namespace {

void SetSocketTimeouts(int socket, std::chrono::milliseconds timeout)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(timeout - seconds);
    const timeval value{static_cast<time_t>(seconds.count()),
                        static_cast<suseconds_t>(micro.count())};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value);
}

} // namespace

TcpTransport::TcpTransport(SocketHandle socket, WaitPolicy policy)
    : socket_(std::move(socket)), policy_(std::move(policy))
{
    // Bounds the TLS handshake, a TLS record that stops half-way and a send to a peer that
    // stops reading; the waits for data are bounded by WaitReadable.
    SetSocketTimeouts(socket_.Get(), policy_.readTimeout);
}

std::size_t TcpTransport::Receive(char* buffer, std::size_t size)
{
    for (;;) {
        WaitReadable(socket_.Get(), policy_);
        const ssize_t received = ::recv(socket_.Get(), buffer, size, 0);
        if (received >= 0) {
            return static_cast<std::size_t>(received);
        }
        if (errno != EINTR && errno != EAGAIN) {
            ThrowSocketError(errno);
        }
    }
}

void TcpTransport::Send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(socket_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowSocketError(errno == EAGAIN ? ETIMEDOUT : errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

} // namespace crawl::http
