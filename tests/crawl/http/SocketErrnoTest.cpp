#include "crawl/http/SocketError.h"
#include "crawl/http/SocketErrorPosix.h"
#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

// Linux only: POSIX error numbers reported as their Windows Sockets numbers and texts.
namespace crawl::http::testing {
namespace {

TEST(ConnectionFailure, SocketNumbersMapOntoTheirTexts)
{
    const struct {
        int errnoValue;
        std::string message;
    } cases[] = {
        {ECONNREFUSED, "Socket Error # 10061\r\nConnection refused."},
        {ETIMEDOUT, "Socket Error # 10060\r\nConnection timed out."},
        {ENETUNREACH, "Socket Error # 10051\r\nNetwork is unreachable."},
        {EHOSTUNREACH, "Socket Error # 10065\r\nNo route to host."},
        {EADDRNOTAVAIL, "Socket Error # 10049\r\nCannot assign requested address."},
        {ENOTEMPTY, "Socket Error # 10066\r\nDirectory not empty"},
        {EIO, "Socket Error # " + std::to_string(EIO) + "\r\n"}, // no Windows Sockets text
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(Utf16ToUtf8(SocketErrorMessage(WinsockNumberFromErrno(testCase.errnoValue))),
                  testCase.message);
    }
}

} // namespace
} // namespace crawl::http::testing
