#include "ClientTestSupport.h"
#include "RawListener.h"

#include "crawl/http/SocketError.h"
#include "tests/support/PlatformFaults.h"

#include <gtest/gtest.h>

#include <atomic>

namespace crawl::http::testing {
namespace {

// A port that was free a moment ago: nothing listens on it.
int ClosedPort()
{
    const RawListener listener;
    return listener.Port();
}

TEST(ConnectionFailure, RefusedConnectAndUnknownHostGiveTheirSocketMessages)
{
    const std::string refused = "Socket Error # 10061\r\nConnection refused.";
    const std::string notFound = "Socket Error # 11001\r\nHost not found.";
    const std::string port = std::to_string(ClosedPort());
    const struct {
        std::string url;
        std::string message;
    } cases[] = {
        {"http://127.0.0.1:" + port + "/x", refused},
        {"https://127.0.0.1:" + port + "/x", refused},
        {"https://no-such-host.invalid/api/sro/list", notFound},
        {"http://No-Such-Host.INVALID./x", notFound},
    };
    HttpClient client;
    Prepare(client);
    for (const auto& testCase : cases) {
        EXPECT_EQ(PostAndCatch(client, Utf16(testCase.url), EmptyObjectBody),
                  Fails(testCase.message))
            << testCase.url;
    }
}

class ResetByThePeer : public ::testing::TestWithParam<std::string> {};

INSTANTIATE_TEST_SUITE_P(Schemes, ResetByThePeer, ::testing::Values("http", "https"),
                         [](const auto& testInfo) { return testInfo.param; });

TEST_P(ResetByThePeer, GivesSocketMessage10054)
{
    const std::string scheme = GetParam();
    if (scheme == "http" && testsupport::RunningUnderWine()) {
        GTEST_SKIP() << "Wine reports a reset on a plain socket as a graceful close (recv gives 0, "
                        "not WSAECONNRESET); Windows and Linux report the reset";
    }
    RawListener listener;
    listener.ServeNextConnection("", RawListener::Ending::Reset);
    HttpClient client;
    Prepare(client);
    const std::string url = scheme + "://127.0.0.1:" + std::to_string(listener.Port()) + "/x";
    EXPECT_EQ(PostAndCatch(client, Utf16(url), EmptyObjectBody),
              Fails("Socket Error # 10054\r\nConnection reset by peer."));
}

TEST(ConnectionFailure, TlsHandshakeFailuresCarryTheLibrarysReason)
{
    RawListener plain;
    plain.ServeNextConnection("HTTP/1.1 400 Bad Request\r\n\r\n", RawListener::Ending::Close);
    RegistryServer closing(Tls::On);
    closing.CloseDuringHandshake(1);
    RawListener silent; // accepts in the kernel, never says a word
    const struct {
        const char* name;
        std::string url;
        std::string message;
    } cases[] = {
        {"plain HTTP answer", "https://127.0.0.1:" + std::to_string(plain.Port()) + "/x",
         "Error connecting with SSL.\r\nerror:0A00010B:SSL routines::wrong version number"},
        {"closed during the handshake", "https://" + closing.HostAndPort() + "/x",
         "Error connecting with SSL.\r\nEOF was observed that violates the protocol"},
        {"handshake never answered", "https://127.0.0.1:" + std::to_string(silent.Port()) + "/x",
         "Socket Error # 10060\r\nConnection timed out."},
    };
    for (const auto& testCase : cases) {
        HttpClient client;
        Prepare(client);
        client.SetTimeouts({300ms, 5000ms});
        EXPECT_EQ(PostAndCatch(client, Utf16(testCase.url), EmptyObjectBody),
                  Fails(testCase.message))
            << testCase.name;
    }
}

TEST(ConnectionFailure, UiThreadConnectGivesUpAfterItsLimitAndKeepsHandlingMessages)
{
    // Linux drops the SYN of a connection that finds the accept queue full, so the connect
    // hangs until the client gives up.
    RawListener listener(0);
    const HeldConnection filler(listener.Port());
    HttpClient client;
    Prepare(client);
    std::atomic<int> messageRounds = 0;
    client.SetUiThreadHook(std::this_thread::get_id(), [&] { ++messageRounds; });
    client.SetTimeouts({5000ms, 600ms});
    EXPECT_EQ(PostAndCatch(client,
                           Utf16("http://127.0.0.1:" + std::to_string(listener.Port()) + "/x"),
                           EmptyObjectBody),
              Fails("Connect timed out."));
    EXPECT_GE(messageRounds.load(), 1);
}

} // namespace
} // namespace crawl::http::testing
