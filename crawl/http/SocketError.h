#pragma once

#include <string>

// Failures of the operating system's sockets, reported with the Windows Sockets numbers and
// texts that the program's messages have always carried, whatever the platform. Inside the
// client every socket failure is such a number.
namespace crawl::http {

// "Socket Error # " + number + CR LF + the number's text (nothing after the CR LF for a
// number without text).
std::u16string SocketErrorMessage(int winsockNumber);

// Throws crawl::Error with SocketErrorMessage(winsockNumber).
[[noreturn]] void ThrowSocketError(int winsockNumber);

// The calling thread's last socket failure as a Windows Sockets number (0 for none), and its
// clearing before a call whose failure is read afterwards (the TLS library's socket calls).
int LastSocketError();
void ClearSocketError();

inline constexpr int WinsockInterrupted = 10004;
inline constexpr int WinsockWouldBlock = 10035;
inline constexpr int WinsockConnectionReset = 10054;
inline constexpr int WinsockTimedOut = 10060;
inline constexpr int WinsockHostNotFound = 11001;

} // namespace crawl::http
