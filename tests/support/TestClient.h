#pragma once

#include "tests/support/RegistryServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

// The tests of the test server talk to it through this bare client, not through the
// program's own HTTP client, so that they see the exact bytes.
namespace testsupport {

// Bound for every wait of the test client, so that a faulty server fails a test, not hangs it.
inline constexpr int ClientWaitMilliseconds = 5000;

// A bare client that writes bytes and collects whatever comes back, plain or TLS.
class TestClient {
public:
    TestClient(const RegistryServer& server, RegistryServer::Tls tls)
        : socket_(socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(server.Port()));
        if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            throw std::runtime_error("connect failed");
        }
        if (tls == RegistryServer::Tls::On) {
            context_.reset(SSL_CTX_new(TLS_client_method()));
            SSL_CTX_set_min_proto_version(context_.get(), TLS1_2_VERSION);
            SSL_CTX_set_max_proto_version(context_.get(), TLS1_2_VERSION);
            ssl_.reset(SSL_new(context_.get()));
            SSL_set_fd(ssl_.get(), socket_);
            SSL_set_tlsext_host_name(ssl_.get(), "registry.test");
        }
    }
    ~TestClient() { close(socket_); }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    // True when the TLS handshake succeeded (always for plain connections).
    bool Handshake() { return !ssl_ || SSL_connect(ssl_.get()) == 1; }

    void Send(const std::string& bytes)
    {
        if (ssl_) {
            ASSERT_EQ(SSL_write(ssl_.get(), bytes.data(), static_cast<int>(bytes.size())),
                      static_cast<int>(bytes.size()));
        } else {
            ASSERT_EQ(send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                      static_cast<ssize_t>(bytes.size()));
        }
    }

    // Everything until the server closes, or until nothing came for `quietMilliseconds`.
    std::string Receive(int quietMilliseconds = ClientWaitMilliseconds)
    {
        std::string received;
        char buffer[4096];
        for (;;) {
            if (!ssl_ || SSL_pending(ssl_.get()) == 0) {
                pollfd entry{socket_, POLLIN, 0};
                if (poll(&entry, 1, quietMilliseconds) <= 0) {
                    closed_ = false;
                    return received;
                }
            }
            const int count = ssl_ ? SSL_read(ssl_.get(), buffer, sizeof buffer)
                                   : static_cast<int>(recv(socket_, buffer, sizeof buffer, 0));
            if (count <= 0) {
                closed_ = true;
                return received;
            }
            received.append(buffer, static_cast<std::size_t>(count));
        }
    }

    // Whether the last Receive ended because the server closed the connection.
    bool Closed() const { return closed_; }

    // Sends a request and takes everything the server answers until it closes.
    std::string Exchange(const std::string& request)
    {
        Send(request);
        return Receive();
    }

private:
    struct SslFree {
        void operator()(SSL* ssl) const { SSL_free(ssl); }
        void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
    };
    int socket_;
    std::unique_ptr<SSL_CTX, SslFree> context_;
    std::unique_ptr<SSL, SslFree> ssl_;
    bool closed_ = false;
};

} // namespace testsupport
