#include "tests/support/RegistryServer.h"
#include "tests/support/TestClient.h"

#include <gtest/gtest.h>

#include <string>

namespace testsupport {
namespace {

using namespace std::chrono_literals;
using Tls = RegistryServer::Tls;

const std::string Post = "POST /api/x?page=1 HTTP/1.0\r\n"
                         "Content-Type: application/json\r\n"
                         "Content-Length: 2\r\n"
                         "Host: registry.test\r\n\r\n{}";

class RegistryServerTest : public testing::TestWithParam<Tls> {};

INSTANTIATE_TEST_SUITE_P(Transports, RegistryServerTest, testing::Values(Tls::Off, Tls::On),
                         [](const testing::TestParamInfo<Tls>& testInfo) {
                             return testInfo.param == Tls::On ? "Tls" : "Plain";
                         });

TEST_P(RegistryServerTest, RecordsTheRequestAndSendsTheScriptedAnswerExactly)
{
    RegistryServer server(GetParam());
    server.Answer("/api/x", ScriptedAnswer::Json("{\"a\":1}"));
    TestClient client(server, GetParam());
    ASSERT_TRUE(client.Handshake());

    EXPECT_EQ(client.Exchange(Post), "HTTP/1.1 200 OK\r\n"
                                     "Content-Type: application/json; charset=utf-8\r\n"
                                     "Content-Length: 7\r\n\r\n"
                                     "{\"a\":1}");
    EXPECT_TRUE(client.Closed());

    const std::vector<RecordedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const RecordedRequest& request = requests[0];
    EXPECT_EQ(request.raw, Post);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/api/x?page=1");
    EXPECT_EQ(request.Path(), "/api/x");
    EXPECT_EQ(request.version, "HTTP/1.0");
    EXPECT_EQ(request.body, "{}");
    EXPECT_EQ(request.Header("content-type"), "application/json");
    EXPECT_EQ(request.Header("Accept"), std::nullopt);
    EXPECT_EQ(request.connection, 1u);
    EXPECT_EQ(request.serverName, GetParam() == Tls::On ? "registry.test" : "");
    EXPECT_EQ(server.BaseUrl(),
              (GetParam() == Tls::On ? "https://127.0.0.1:" : "http://127.0.0.1:") +
                  std::to_string(server.Port()));
}

TEST_P(RegistryServerTest, SequenceRepeatsItsLastAnswerAndUnscriptedPathsGoToTheHandler)
{
    RegistryServer server(GetParam());
    server.AnswerSequence("/api/x",
                          {ScriptedAnswer{.status = 500, .reason = "Internal Server Error"},
                           ScriptedAnswer{.status = 201, .reason = "Created"}});
    const auto statusLineOf = [&](const std::string& request) {
        TestClient client(server, GetParam());
        EXPECT_TRUE(client.Handshake());
        const std::string answer = client.Exchange(request);
        return answer.substr(0, answer.find("\r\n"));
    };
    EXPECT_EQ(statusLineOf(Post), "HTTP/1.1 500 Internal Server Error");
    EXPECT_EQ(statusLineOf(Post), "HTTP/1.1 201 Created");
    EXPECT_EQ(statusLineOf(Post), "HTTP/1.1 201 Created");
    EXPECT_EQ(statusLineOf("GET /other HTTP/1.0\r\n\r\n"), "HTTP/1.1 404 Not Found");

    server.SetHandler([](const RecordedRequest& request) {
        return ScriptedAnswer{.status = 299, .reason = request.method + " " + request.target};
    });
    EXPECT_EQ(statusLineOf("GET /other HTTP/1.0\r\n\r\n"), "HTTP/1.1 299 GET /other");
    EXPECT_EQ(server.Requests().size(), 5u);
}

TEST_P(RegistryServerTest, KeepAliveAnswerServesTheNextRequestOnTheSameConnection)
{
    RegistryServer server(GetParam());
    ScriptedAnswer redirect = ScriptedAnswer::Redirect(302, "/api/x");
    redirect.headers.emplace_back("Connection", " Keep-Alive ");
    server.Answer("/old", redirect);
    server.Answer("/api/x", ScriptedAnswer::Json("{}"));
    TestClient client(server, GetParam());
    ASSERT_TRUE(client.Handshake());

    client.Send("POST /old HTTP/1.0\r\nContent-Length: 2\r\n\r\n{}");
    const std::string first = client.Receive(300);
    EXPECT_FALSE(client.Closed());
    EXPECT_EQ(first.substr(0, first.find("\r\n")), "HTTP/1.1 302 Redirect");
    EXPECT_EQ(client.Exchange(Post).substr(0, 15), "HTTP/1.1 200 OK");
    EXPECT_TRUE(client.Closed());

    const std::vector<RecordedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].connection, requests[1].connection);
}

struct MisbehaviourCase {
    const char* name;
    ScriptedAnswer answer;
    std::string expected;
};

ScriptedAnswer Misbehaving(Misbehaviour misbehaviour)
{
    ScriptedAnswer answer{.headers = {{"A", "b"}}, .body = "0123456789"};
    answer.misbehaviour = misbehaviour;
    return answer;
}

ScriptedAnswer RawAnswer(std::string bytes)
{
    ScriptedAnswer answer;
    answer.raw = std::move(bytes);
    return answer;
}

const std::string HugeLine = "X-Filler: " + std::string(20000 - 10, 'x') + "\r\n";

const MisbehaviourCase MisbehaviourCases[] = {
    {"CloseBeforeStatusLine", Misbehaving(Misbehaviour::CloseBeforeStatusLine), ""},
    {"CloseMidHeader", Misbehaving(Misbehaviour::CloseMidHeader), "HTTP/1.1 200 OK\r\nA: b\r\n"},
    {"CloseMidChunk", Misbehaving(Misbehaviour::CloseMidChunk),
     "HTTP/1.1 200 OK\r\nA: b\r\nTransfer-Encoding: chunked\r\n\r\na\r\n01234"},
    {"HugeHeaderLine", Misbehaving(Misbehaviour::HugeHeaderLine),
     "HTTP/1.1 200 OK\r\n" + HugeLine + "A: b\r\n\r\n0123456789"},
    {"Raw", RawAnswer("HTTP/1.0 200 OK\n\nno CR"), "HTTP/1.0 200 OK\n\nno CR"},
};

class MisbehaviourTest : public testing::TestWithParam<std::tuple<Tls, MisbehaviourCase>> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, MisbehaviourTest,
    testing::Combine(testing::Values(Tls::Off, Tls::On), testing::ValuesIn(MisbehaviourCases)),
    [](const testing::TestParamInfo<std::tuple<Tls, MisbehaviourCase>>& testInfo) {
        return std::string(std::get<0>(testInfo.param) == Tls::On ? "Tls" : "Plain") +
               std::get<1>(testInfo.param).name;
    });

TEST_P(MisbehaviourTest, SendsExactlyTheseBytesThenCloses)
{
    const auto& [tls, misbehaviour] = GetParam();
    RegistryServer server(tls);
    server.Answer("/api/x", misbehaviour.answer);
    TestClient client(server, tls);
    ASSERT_TRUE(client.Handshake());

    EXPECT_EQ(client.Exchange(Post), misbehaviour.expected);
    EXPECT_TRUE(client.Closed());
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_P(RegistryServerTest, SilentAnswersStaySilentUntilTheServerStops)
{
    ScriptedAnswer never = Misbehaving(Misbehaviour::NeverAnswer);
    ScriptedAnswer delayed = ScriptedAnswer::Json("{}");
    delayed.delay = 1h;
    for (const ScriptedAnswer& answer : {never, delayed}) {
        RegistryServer server(GetParam());
        server.Answer("/api/x", answer);
        TestClient client(server, GetParam());
        ASSERT_TRUE(client.Handshake());
        client.Send(Post);
        ASSERT_TRUE(server.WaitForRequests(1, 5s));

        EXPECT_EQ(client.Receive(300), "");
        EXPECT_FALSE(client.Closed());
        server.Stop();
        EXPECT_EQ(client.Receive(), "");
        EXPECT_TRUE(client.Closed());
    }
}

TEST(RegistryServerTlsTest, ClosesTheCountedHandshakesAfterTheClientHello)
{
    RegistryServer server(Tls::On);
    server.Answer("/api/x", ScriptedAnswer::Json("{}"));
    server.CloseDuringHandshake(1);
    {
        TestClient client(server, Tls::On);
        EXPECT_FALSE(client.Handshake());
    }
    TestClient client(server, Tls::On);
    ASSERT_TRUE(client.Handshake());
    EXPECT_EQ(client.Exchange(Post).substr(0, 15), "HTTP/1.1 200 OK");
    EXPECT_EQ(server.Requests().size(), 1u);
}

} // namespace
} // namespace testsupport
