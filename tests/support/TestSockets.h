#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string_view>

// The few socket calls of the test server and the tests' bare peers, each platform in a file
// of its own (TestSocketsPosix.cpp, TestSocketsWin32.cpp). Sockets are ints on both, as the TLS
// library's SSL_set_fd takes them; -1 is none. Everything binds to 127.0.0.1 only.
namespace testsupport {

inline constexpr int NoSocket = -1;

// Once per process, before the first socket: the socket library started (Windows), and no
// signal raised by a write to a connection the peer closed (Linux: TLS writes go through
// write(), which raises SIGPIPE).
void PrepareSockets();

// A listening TCP socket on 127.0.0.1:`port` (0: an ephemeral port); a fixed port is made
// reusable at once. Throws std::runtime_error naming the failed step.
int ListenOnLoopback(int port, int backlog);
int LocalPort(int socket);
// An accepted connection, or NoSocket.
int AcceptConnection(int listenSocket);
// A blocking connection to 127.0.0.1:`port`, made within `limit`; throws std::runtime_error.
int ConnectToLoopback(int port, std::chrono::milliseconds limit);

void CloseSocket(int socket);
// Closes with a reset (RST) instead of an orderly close.
void CloseWithReset(int socket);
void ShutdownSending(int socket);
void ShutdownBoth(int socket);
void SetNonBlocking(int socket);

// True when the socket became readable (or writable) within `timeout`.
bool WaitReadable(int socket, std::chrono::milliseconds timeout);
bool WaitWritable(int socket, std::chrono::milliseconds timeout);

// The bytes received (0 at the end of the stream), nothing when a non-blocking socket has no
// data yet (or the call was interrupted), -1 for a failure.
std::optional<long> ReceiveSome(int socket, char* buffer, std::size_t size);
// The bytes sent, nothing when a non-blocking socket cannot take any yet, -1 for a failure.
// Never raises a signal.
std::optional<long> SendSome(int socket, std::string_view bytes);

} // namespace testsupport
