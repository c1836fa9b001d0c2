#pragma once

#include <string>

// Failures of the operating system's sockets, reported with the Windows Sockets numbers and
// texts that the program's messages have always carried, whatever the platform.
namespace crawl::http {

// "Socket Error # " + number + CR LF + the number's text (nothing after the CR LF for a
// number without text).
std::u16string SocketErrorMessage(int winsockNumber);

// The Windows Sockets number that stands for a POSIX errno value.
int WinsockNumberFromErrno(int errnoValue);

// The Windows Sockets number that stands for a getaddrinfo() result; `errnoValue` is used
// for EAI_SYSTEM.
int WinsockNumberFromResolverError(int resolverError, int errnoValue);

// Throws crawl::Error with SocketErrorMessage(WinsockNumberFromErrno(errnoValue)).
[[noreturn]] void ThrowSocketError(int errnoValue);

inline constexpr int WinsockHostNotFound = 11001;
inline constexpr int WinsockTimedOut = 10060;

} // namespace crawl::http
