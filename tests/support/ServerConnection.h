#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// One accepted connection of the test server, plain TCP or TLS. The socket itself stays
// owned by the server, which may shut it down from another thread to end any wait.
namespace testsupport {

class ServerConnection {
public:
    virtual ~ServerConnection() = default;

    // Completes the TLS handshake (plain connections have none); false when it failed.
    virtual bool Accept() = 0;
    // Up to `size` bytes; 0 at the end of the stream or on any failure.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // False when not every byte could be sent.
    virtual bool Write(std::string_view bytes) = 0;
    // Ends the sending direction (on TLS after a close_notify).
    virtual void FinishSending() = 0;
    // The TLS server name the client asked for; empty on plain connections.
    virtual std::string_view ServerName() const { return {}; }
};

std::unique_ptr<ServerConnection> MakePlainConnection(int socket);

} // namespace testsupport
