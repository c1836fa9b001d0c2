#include "ClientTestSupport.h"

#include "crawl/http/RequestExchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace crawl::http::testing {
namespace {

using testsupport::HeaderList;

ScriptedAnswer WithCookies(ScriptedAnswer answer, const std::vector<std::string>& cookies)
{
    for (const std::string& cookie : cookies) {
        answer.headers.emplace_back("Set-Cookie", cookie);
    }
    return answer;
}

TEST(CookieExchange, CookiesOfEveryAnswerAreSentWithTheNextRequestsAsTheLastHeader)
{
    RegistryServer server(Tls::On);
    server.Answer("/api/sro/list",
                  WithCookies(ScriptedAnswer::Json("[]"), {"a=1; Path=/", "b=2; Path=/api"}));
    server.Answer(
        "/api/failing",
        WithCookies(ScriptedAnswer::Json("{}", 500, "Internal Server Error"), {"c=3; Path=/"}));
    server.Answer("/api/moved", WithCookies(ScriptedAnswer::Redirect(302, "/api/target"),
                                            {"d=4; Path=/api/target"}));
    server.Answer("/api/target", ScriptedAnswer::Json("[]"));
    server.Answer("/api/forget",
                  WithCookies(ScriptedAnswer::Json("[]"), {"a=gone; Max-Age=0; Path=/"}));
    server.Answer("/other", ScriptedAnswer::Json("[]"));
    HttpClient client;
    Prepare(client);

    const struct {
        const char* path;
        bool fails;
        std::optional<std::string> cookieSent; // on the (last) request of this Post
    } steps[] = {
        {"/api/sro/list", false, std::nullopt},
        {"/api/failing", true, "b=2; a=1"},
        {"/api/moved", false, "d=4; b=2; a=1; c=3"}, // the redirect's own cookie comes along
        {"/other", false, "a=1; c=3"},
        {"/api/forget", false, "b=2; a=1; c=3"},
        {"/other", false, "c=3"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.path);
        const PostOutcome outcome = PostAndCatch(client, UrlOf(server, step.path), EmptyObjectBody);
        EXPECT_EQ(outcome.error.empty(), !step.fails) << outcome;
        const testsupport::RecordedRequest last = server.Requests().back();
        EXPECT_EQ(last.Header("Cookie"), step.cookieSent);
        if (step.cookieSent) {
            EXPECT_EQ(last.raw.substr(last.raw.find("\r\nCookie: ") + 2),
                      "Cookie: " + *step.cookieSent + "\r\n\r\n" + last.body);
        }
    }
}

TEST(CookieExchange, AnAnswerWithTooManyCookiesFailsAndStoresNone)
{
    std::vector<std::string> cookies;
    for (std::size_t i = 0; i <= MaxCookiesPerAnswer; ++i) {
        cookies.push_back("c" + std::to_string(i) + "=1");
    }
    const std::vector<std::string> bound(cookies.begin(), cookies.end() - 1);
    RegistryServer server(Tls::Off);
    server.Answer("/too-many", WithCookies(ScriptedAnswer::Json("{}"), cookies));
    server.Answer("/at-the-bound", WithCookies(ScriptedAnswer::Json("{}"), bound));
    HttpClient client;
    Prepare(client);

    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/too-many"), EmptyObjectBody),
              Fails("Too many cookies."));
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/at-the-bound"), EmptyObjectBody),
              Succeeds("{}"));
    EXPECT_EQ(server.Requests().back().Header("Cookie"), std::nullopt);
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/at-the-bound"), EmptyObjectBody),
              Succeeds("{}"));
    const std::optional<std::string> sent = server.Requests().back().Header("Cookie");
    ASSERT_TRUE(sent);
    EXPECT_EQ(std::count(sent->begin(), sent->end(), '='), std::ptrdiff_t(MaxCookiesPerAnswer));
}

TEST(CookieExchange, SecureCookiesTravelOnlyOverTls)
{
    RegistryServer secure(Tls::On);
    RegistryServer plain(Tls::Off);
    secure.Answer("/set", WithCookies(ScriptedAnswer::Json("[]"), {"s=1; Secure", "p=2"}));
    secure.Answer("/next", ScriptedAnswer::Json("[]"));
    plain.Answer("/next", ScriptedAnswer::Json("[]"));
    HttpClient client;
    Prepare(client);
    for (RegistryServer* server : {&secure, &plain, &secure}) {
        const std::string path = server == &secure && secure.Requests().empty() ? "/set" : "/next";
        EXPECT_EQ(PostAndCatch(client, UrlOf(*server, path), EmptyObjectBody), Succeeds("[]"));
    }
    EXPECT_EQ(plain.Requests().back().Header("Cookie"), "p=2"); // cookies ignore the port
    EXPECT_EQ(secure.Requests().back().Header("Cookie"), "s=1; p=2");
}

} // namespace
} // namespace crawl::http::testing
