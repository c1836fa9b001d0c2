#pragma once

// Linux only: how POSIX error numbers become Windows Sockets numbers.
namespace crawl::http {

// The Windows Sockets number that stands for a POSIX errno value.
int WinsockNumberFromErrno(int errnoValue);

// The Windows Sockets number that stands for a getaddrinfo() result; `errnoValue` is used
// for EAI_SYSTEM.
int WinsockNumberFromResolverError(int resolverError, int errnoValue);

} // namespace crawl::http
