#pragma once

#include "tests/support/ServerConnection.h"

#include <atomic>
#include <memory>

struct ssl_ctx_st;

// The TLS side of the test server: a context with a self-signed certificate that is made in
// memory at start (no key file anywhere), and connections over it.
namespace testsupport {

class ServerTlsContext {
public:
    // Throws std::runtime_error when the key, the certificate or the context cannot be made.
    ServerTlsContext();
    ~ServerTlsContext();
    ServerTlsContext(const ServerTlsContext&) = delete;
    ServerTlsContext& operator=(const ServerTlsContext&) = delete;

    std::unique_ptr<ServerConnection> MakeConnection(int socket,
                                                     const std::atomic<bool>& stopping) const;

private:
    ssl_ctx_st* context_;
};

// Reads one whole TLS record from the raw socket, the client's first flight (ClientHello),
// without answering it. False when the client closed before the record was complete, or once
// the server stops.
bool ReadTlsRecord(int socket, const std::atomic<bool>& stopping);

} // namespace testsupport
