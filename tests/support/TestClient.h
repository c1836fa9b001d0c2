#pragma once

#include "tests/support/RegistryServer.h"
#include "tests/support/TestSockets.h"

#include <openssl/ssl.h>

#include <gtest/gtest.h>

#include <chrono>
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
        : socket_(ConnectToLoopback(server.Port(), std::chrono::milliseconds(ClientWaitMilliseconds)))
    {
        if (tls == RegistryServer::Tls::On) {
            context_.reset(SSL_CTX_new(TLS_client_method()));
            SSL_CTX_set_min_proto_version(context_.get(), TLS1_2_VERSION);
            SSL_CTX_set_max_proto_version(context_.get(), TLS1_2_VERSION);
            ssl_.reset(SSL_new(context_.get()));
            SSL_set_fd(ssl_.get(), socket_);
            SSL_set_tlsext_host_name(ssl_.get(), "registry.test");
        }
    }
    ~TestClient() { CloseSocket(socket_); }
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
            ASSERT_EQ(SendSome(socket_, bytes), static_cast<long>(bytes.size()));
        }
    }

    // Everything until the server closes, or until nothing came for `quietMilliseconds`.
    std::string Receive(int quietMilliseconds = ClientWaitMilliseconds)
    {
        std::string received;
        char buffer[4096];
        for (;;) {
            if (!ssl_ || SSL_pending(ssl_.get()) == 0) {
                if (!WaitReadable(socket_, std::chrono::milliseconds(quietMilliseconds))) {
                    closed_ = false;
                    return received;
                }
            }
            const long count = ssl_ ? SSL_read(ssl_.get(), buffer, sizeof buffer)
                                    : ReceiveSome(socket_, buffer, sizeof buffer).value_or(-1);
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
