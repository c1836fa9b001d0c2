#include "ClientTestSupport.h"

#include <gtest/gtest.h>

namespace crawl::http::testing {
namespace {

const std::string CyrillicJson = "{\"title\":\"\xd0\xa1\xd0\xa0\xd0\x9e\"}"; // "СРО" in UTF-8
const std::u16string CyrillicText = u"{\"title\":\"\u0421\u0420\u041e\"}";

ScriptedAnswer Typed(std::string contentType, std::string body)
{
    ScriptedAnswer answer;
    answer.headers = {{"Content-Type", std::move(contentType)},
                      {"Content-Length", std::to_string(body.size())}};
    answer.body = std::move(body);
    return answer;
}

TEST(AnswerText, BodyIsDecodedOnceByItsDeclaredCharset)
{
    // The same bytes chunked so that a letter is split between two chunks.
    const std::string chunked =
        "HTTP/1.1 200 OK\r\nContent-Type: application/json;charset=UTF-8\r\n"
        "Transfer-Encoding: chunked\r\n\r\n"
        "c\r\n" +
        CyrillicJson.substr(0, 12) + "\r\n" + std::to_string(CyrillicJson.size() - 12) + "\r\n" +
        CyrillicJson.substr(12) + "\r\n0\r\n\r\n";
    const struct {
        const char* name;
        ScriptedAnswer answer;
        std::u16string text;
    } cases[] = {
        {"utf-8 named", Typed("application/json; charset=utf-8", CyrillicJson), CyrillicText},
        {"no charset: one character per byte", Typed("application/json", CyrillicJson),
         Latin1ToUtf16(CyrillicJson)},
        {"no Content-Type at all", Typed("", CyrillicJson), Latin1ToUtf16(CyrillicJson)},
        {"utf-8 split across chunks", ScriptedAnswer{.raw = chunked}, CyrillicText},
        {"windows-1251", Typed("text/html; charset=windows-1251", "\xd1\xd0\xce"),
         u"\u0421\u0420\u041e"},
        {"HTML meta charset", Typed("text/html", "<meta charset=\"utf-8\">\xd0\xa1"),
         u"<meta charset=\"utf-8\">\u0421"},
    };
    RegistryServer server(Tls::On);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        server.Answer("/" + std::to_string(i), cases[i].answer);
    }
    HttpClient client;
    Prepare(client);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(client.Post(UrlOf(server, "/" + std::to_string(i)), EmptyObjectBody),
                  cases[i].text)
            << cases[i].name;
    }
}

} // namespace
} // namespace crawl::http::testing
