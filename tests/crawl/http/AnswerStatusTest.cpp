#include "ClientTestSupport.h"

#include <gtest/gtest.h>

namespace crawl::http::testing {
namespace {

struct StatusCase {
    const char* name;
    std::string answer; // raw bytes; the server closes after them
    PostOutcome outcome;
};

std::string Answer(std::string_view statusLine, std::string_view headers = "",
                   std::string_view body = "BODY")
{
    return std::string(statusLine) + "\r\n" + std::string(headers) +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

const StatusCase StatusCases[] = {
    {"200 delivers its body", Answer("HTTP/1.1 200 OK"), Succeeds("BODY")},
    {"201 delivers its body", Answer("HTTP/1.1 201 Created"), Succeeds("BODY")},
    {"299 delivers its body", Answer("HTTP/1.1 299 Whatever"), Succeeds("BODY")},
    {"status with a fraction", Answer("HTTP/1.1 200.7 OK"), Succeeds("BODY")},
    {"204 gives no text", Answer("HTTP/1.1 204 No Content"), Succeeds("")},
    {"101 gives no text", Answer("HTTP/1.1 101 Switching Protocols"), Succeeds("")},
    {"interim 100 then the answer",
     "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 102 Processing\r\nX: 1\r\n\r\n" +
         Answer("HTTP/1.1 200 OK"),
     Succeeds("BODY")},
    {"301 without Location", Answer("HTTP/1.1 301 Moved Permanently"),
     Fails("HTTP/1.1 301 Moved Permanently")},
    {"304 even with Location", Answer("HTTP/1.1 304 Not Modified", "Location: /elsewhere\r\n"),
     Fails("HTTP/1.1 304 Not Modified")},
    {"401 Basic", Answer("HTTP/1.1 401 Unauthorized", "WWW-Authenticate: Basic realm=\"r\"\r\n"),
     Fails("HTTP/1.1 401 Unauthorized")},
    {"401 without challenge", Answer("HTTP/1.1 401 Unauthorized"),
     Fails("HTTP/1.1 401 Unauthorized")},
    {"401 NTLM delivers its body",
     Answer("HTTP/1.1 401 Unauthorized", "WWW-Authenticate: NTLM\r\n"), Succeeds("BODY")},
    {"401 Negotiate after an unknown scheme",
     Answer("HTTP/1.1 401 Unauthorized",
            "WWW-Authenticate: Bearer x\r\nWWW-Authenticate: Negotiate\r\n"),
     Succeeds("BODY")},
    {"401 Basic before NTLM",
     Answer("HTTP/1.1 401 Unauthorized", "WWW-Authenticate: Basic\r\nWWW-Authenticate: NTLM\r\n"),
     Fails("HTTP/1.1 401 Unauthorized")},
    {"401 with only a proxy challenge",
     Answer("HTTP/1.1 401 Unauthorized", "Proxy-Authenticate: NTLM\r\n"),
     Fails("HTTP/1.1 401 Unauthorized")},
    {"407 NTLM delivers its body",
     Answer("HTTP/1.1 407 Proxy Authentication Required", "Proxy-Authenticate: ntlm\r\n"),
     Succeeds("BODY")},
    {"404", Answer("HTTP/1.1 404 Not Found"), Fails("HTTP/1.1 404 Not Found")},
    {"500 with a JSON error document",
     Answer("HTTP/1.0 500 Internal Server Error", "Content-Type: application/json\r\n",
            R"({"error":"boom"})"),
     Fails("HTTP/1.0 500 Internal Server Error")},
    {"status line kept as sent", Answer("HTTP/1.1  404   Odd  spacing"),
     Fails("HTTP/1.1  404   Odd  spacing")},
    {"no number", Answer("HTTP/1.1 OK"), Fails("HTTP/1.1 OK")},
    {"not HTTP at all", "hello\n\n", Fails("hello")},
};

class AnswerStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(AnswerStatus, FinalStatusDecidesBetweenTextAndError)
{
    const StatusCase& testCase = GetParam();
    RegistryServer server(Tls::Off);
    server.Answer("/status", ScriptedAnswer{.raw = testCase.answer});
    HttpClient client;
    Prepare(client);
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/status"), EmptyObjectBody), testCase.outcome);
    EXPECT_EQ(server.Requests().size(), 1u); // never a second request with credentials
}

INSTANTIATE_TEST_SUITE_P(StatusTable, AnswerStatus, ::testing::ValuesIn(StatusCases),
                         [](const auto& testInfo) {
                             std::string name = testInfo.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

TEST(AnswerStatusError, CarriesTheStatusCodeAndTheDecodedBody)
{
    RegistryServer server(Tls::On);
    server.Answer("/fail",
                  ScriptedAnswer::Json(R"({"error":"boom"})", 500, "Internal Server Error"));
    HttpClient client;
    Prepare(client);
    try {
        client.Post(UrlOf(server, "/fail"), EmptyObjectBody);
        FAIL() << "no error";
    } catch (const HttpStatusError& error) {
        EXPECT_EQ(error.Message(), u"HTTP/1.1 500 Internal Server Error");
        EXPECT_EQ(error.StatusCode(), 500);
        EXPECT_EQ(error.Body(), u"{\"error\":\"boom\"}");
    }
}

} // namespace
} // namespace crawl::http::testing
