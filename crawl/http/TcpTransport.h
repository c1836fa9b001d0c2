#pragma once

#include "crawl/http/SocketHandle.h"
#include "crawl/http/SocketWait.h"
#include "crawl/http/Transport.h"

// A plain TCP connection.
namespace crawl::http {

class TcpTransport : public Transport {
public:
    TcpTransport(SocketHandle socket, WaitPolicy policy);

    std::size_t Receive(char* buffer, std::size_t size) override;
    void Send(std::string_view bytes) override;

    int Socket() const { return socket_.Get(); }
    const WaitPolicy& Policy() const { return policy_; }

private:
    SocketHandle socket_;
    WaitPolicy policy_;
};

} // namespace crawl::http
