#pragma once

#include "crawl/http/TcpTransport.h"

#include <memory>
#include <string>

struct ssl_ctx_st;
struct ssl_st;

// A TLS 1.2 client connection over a connected TCP socket.
namespace crawl::http {

class TlsTransport : public Transport {
public:
    // Loads the TLS library on first use, creates a new context (TLS 1.2 only, default
    // ciphers, no certificate verification) and performs the handshake, with the server name
    // `host` unless it is an IP address literal. Throws the TLS messages of the client.
    TlsTransport(std::unique_ptr<TcpTransport> tcp, const std::u16string& host, bool ipLiteral);

    std::size_t Receive(char* buffer, std::size_t size) override;
    void Send(std::string_view bytes) override;

private:
    struct ContextFree {
        void operator()(ssl_ctx_st* context) const;
    };
    struct SessionFree {
        void operator()(ssl_st* session) const;
    };

    std::unique_ptr<TcpTransport> tcp_;
    std::unique_ptr<ssl_ctx_st, ContextFree> context_; // lives as long as its connection
    std::unique_ptr<ssl_st, SessionFree> session_;
};

} // namespace crawl::http
