#include "ClientTestSupport.h"

#include <gtest/gtest.h>

namespace crawl::http::testing {
namespace {

const std::vector<std::u16string> PageBody{u"{\"filters\":{},\"page\":1}"};

TEST(Redirect, Status302RepeatsTheSamePostAtTheRelativeLocation)
{
    RegistryServer server(Tls::On);
    server.Answer("/api/sro/322/member/list", ScriptedAnswer::Redirect(302, "moved?p=1"));
    server.Answer("/api/sro/322/member/moved", ScriptedAnswer::Json("[302]"));
    HttpClient client;
    Prepare(client);
    EXPECT_EQ(client.Post(UrlOf(server, "/api/sro/322/member/list"), PageBody), u"[302]");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].target, "/api/sro/322/member/moved?p=1");
    EXPECT_EQ(requests[1].body, requests[0].body);
    EXPECT_EQ(requests[1].Header("Content-Length"), "23");
    EXPECT_NE(requests[1].connection, requests[0].connection); // the 302 did not keep alive
}

TEST(Redirect, Status303TurnsIntoAGetWithoutBodyOrLength)
{
    RegistryServer server(Tls::Off);
    server.Answer("/list", ScriptedAnswer::Redirect(303, "/result"));
    server.Answer("/result", ScriptedAnswer::Json("[303]"));
    HttpClient client;
    Prepare(client);
    EXPECT_EQ(client.Post(UrlOf(server, "/list"), PageBody), u"[303]");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].raw,
              "GET /result HTTP/1.0\r\n"
              "Connection: keep-alive\r\n"
              "Content-Type: application/json\r\n"
              "Host: " +
                  server.HostAndPort() +
                  "\r\n"
                  "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                  "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n");
}

TEST(Redirect, FourteenInARowAreFollowedAndTheFifteenthEndsWithNoText)
{
    const struct {
        int redirects;
        std::u16string text;
        std::size_t requests;
    } cases[] = {{14, u"[end]", 15}, {15, u"", 15}};
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.redirects);
        RegistryServer server(Tls::Off);
        for (int i = 0; i < testCase.redirects; ++i) {
            server.Answer(
                "/r" + std::to_string(i),
                ScriptedAnswer::Redirect(i % 2 == 0 ? 302 : 307, "/r" + std::to_string(i + 1)));
        }
        server.Answer("/r" + std::to_string(testCase.redirects), ScriptedAnswer::Json("[end]"));
        HttpClient client;
        Prepare(client);
        EXPECT_EQ(client.Post(UrlOf(server, "/r0"), EmptyObjectBody), testCase.text);
        EXPECT_EQ(server.Requests().size(), testCase.requests);
    }
}

TEST(Redirect, KeptAliveConnectionServesTheSameHostAndANewOneOpensForAnother)
{
    RegistryServer first(Tls::On);
    RegistryServer second(Tls::On);
    ScriptedAnswer keepAlive = ScriptedAnswer::Redirect(301, "/b");
    keepAlive.headers.emplace_back("Connection", " Keep-Alive ");
    first.Answer("/a", keepAlive);
    first.Answer("/b", ScriptedAnswer::Redirect(308, second.BaseUrl() + "/c"));
    second.Answer("/c", ScriptedAnswer::Json("[c]"));
    HttpClient client;
    Prepare(client);
    EXPECT_EQ(client.Post(UrlOf(first, "/a"), EmptyObjectBody), u"[c]");
    const auto requests = first.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].connection, requests[0].connection);
    ASSERT_EQ(second.Requests().size(), 1u);
    EXPECT_EQ(second.Requests()[0].Header("Host"), second.HostAndPort());
}

TEST(Redirect, LocationWithAnotherSchemeFails)
{
    RegistryServer server(Tls::Off);
    server.Answer("/a", ScriptedAnswer::Redirect(302, "ftp://127.0.0.1/x"));
    HttpClient client;
    Prepare(client);
    EXPECT_EQ(FailureOf([&] { client.Post(UrlOf(server, "/a"), EmptyObjectBody); }),
              "Unknown Protocol");
}

} // namespace
} // namespace crawl::http::testing
