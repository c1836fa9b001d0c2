#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string_view>

// One accepted connection of the test server, plain TCP or TLS. The socket is non-blocking and
// stays owned by the server; every wait on it ends within a short slice once the server stops,
// without relying on a shutdown() to wake a blocked call (Windows does not).
namespace testsupport {

class ServerConnection {
public:
    virtual ~ServerConnection() = default;

    // Completes the TLS handshake (plain connections have none); false when it failed.
    virtual bool Accept() = 0;
    // Up to `size` bytes; 0 at the end of the stream, on any failure or once the server stops.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    // False when not every byte could be sent.
    virtual bool Write(std::string_view bytes) = 0;
    // Ends the sending direction (on TLS after a close_notify).
    virtual void FinishSending() = 0;
    // The TLS server name the client asked for; empty on plain connections.
    virtual std::string_view ServerName() const { return {}; }
};

enum class SocketWait { Readable, Writable };

// Waits until the non-blocking socket can be read or written: true then, false once
// `stopping` is set.
bool AwaitSocket(int socket, SocketWait wait, const std::atomic<bool>& stopping);

std::unique_ptr<ServerConnection> MakePlainConnection(int socket,
                                                      const std::atomic<bool>& stopping);

} // namespace testsupport
