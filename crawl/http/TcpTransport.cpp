#include "crawl/http/TcpTransport.h"

#include "crawl/http/SocketCalls.h"

namespace crawl::http {

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
        if (const std::optional<std::size_t> received = ReceiveSome(socket_.Get(), buffer, size)) {
            return *received;
        }
    }
}

void TcpTransport::Send(std::string_view bytes)
{
    SendAll(socket_.Get(), bytes);
}

} // namespace crawl::http
