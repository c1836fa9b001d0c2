#include "ClientTestSupport.h"

#include "crawl/http/RequestHead.h"
#include "crawl/http/RequestUrl.h"
#include "crawl/http/TlsLibrary.h"

#include <gtest/gtest.h>

namespace crawl::http::testing {
namespace {

constexpr char InitialAgent[] = "Mozilla/3.0 (compatible; Indy Library)";
constexpr char RunAgent[] =
    "Mozilla/5.0 (Windows NT 6.1; Win64; x64; rv:105.0) Gecko/20100101 Firefox/105.0";
constexpr char Accept[] = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

std::string ExpectedRequest(std::string_view target, std::string_view contentType,
                            std::string_view body, std::string_view host, std::string_view agent)
{
    return "POST " + std::string(target) + " HTTP/1.0\r\n" + "Connection: keep-alive\r\n" +
           "Content-Type: " + std::string(contentType) + "\r\n" +
           "Content-Length: " + std::to_string(body.size()) + "\r\n" +
           "Host: " + std::string(host) + "\r\n" + "Accept: " + Accept + "\r\n" +
           "User-Agent: " + std::string(agent) + "\r\n\r\n" + std::string(body);
}

struct ProgramStep {
    const char* name;
    const char16_t* contentType; // as the caller sets it
    const char* agentToSet;      // nullptr: the client keeps its agent
    const char* path;
    const char* body;
    std::size_t bodyLength;
    const char* sentContentType;
    const char* sentAgent;
};

// The requests of a program's life on one client, in order: the SRO list before any run,
// then a run (members page, details, a later page), then the SRO list again.
const ProgramStep ProgramSteps[] = {
    {"SRO list before any run", u"application/json", nullptr, "/api/sro/list",
     R"({"filters":{},"page":1,"pageCount":"100","sortBy":{}})", 53, "application/json",
     InitialAgent},
    {"members page 1 at the start of a run", u"application/json", RunAgent,
     "/api/sro/322/member/list", R"({"filters":{},"page":1,"pageCount":"20","sortBy":{}})", 52,
     "application/json", RunAgent},
    {"member details", u"application/json;charset=UTF-8", nullptr, "/api/member/77/info", "{}", 2,
     "application/json; charset=UTF-8", RunAgent},
    {"members page 10 keeps the charset", u"application/json", nullptr, "/api/sro/322/member/list",
     R"({"filters":{},"page":10,"pageCount":"20","sortBy":{}})", 53,
     "application/json; charset=UTF-8", RunAgent},
    {"SRO list after the run", u"application/json", nullptr, "/api/sro/list",
     R"({"filters":{},"page":1,"pageCount":"100","sortBy":{}})", 53,
     "application/json; charset=UTF-8", RunAgent},
};

TEST(RequestBytes, EveryRequestOfTheProgramIsSentByteForByteOverTls)
{
    RegistryServer server(Tls::On);
    server.SetHandler([](const auto&) {
        ScriptedAnswer answer = ScriptedAnswer::Json("{}");
        answer.headers.emplace_back("Connection", "keep-alive");
        return answer;
    });
    HttpClient client;
    client.SetTimeouts(TestTimeouts);
    for (const ProgramStep& step : ProgramSteps) {
        SCOPED_TRACE(step.name);
        client.SetHTTPOptions({});
        client.SetContentType(step.contentType);
        if (step.agentToSet != nullptr) {
            client.SetUserAgent(Utf16(step.agentToSet));
        }
        const std::size_t before = server.Requests().size();
        EXPECT_EQ(client.Post(UrlOf(server, step.path), {Utf16(step.body)}), u"{}");
        const auto requests = server.Requests();
        ASSERT_EQ(requests.size(), before + 1);
        EXPECT_EQ(std::string_view(step.body).size(), step.bodyLength);
        EXPECT_EQ(requests.back().raw, ExpectedRequest(step.path, step.sentContentType, step.body,
                                                       server.HostAndPort(), step.sentAgent));
        // Every Post opens a connection of its own, even after the server kept one alive.
        EXPECT_EQ(requests.back().connection, before + 1);
    }
}

TEST(RequestBytes, PlainHttpOnANamedPortSendsThePortInHostAndTheServerNameOverTls)
{
    RegistryServer plain(Tls::Off);
    plain.SetHandler([](const auto&) { return ScriptedAnswer::Json("[1]"); });
    RegistryServer secure(Tls::On);
    secure.SetHandler([](const auto&) { return ScriptedAnswer::Json("[2]"); });
    HttpClient client;
    Prepare(client);
    const std::string port = std::to_string(plain.Port());
    EXPECT_EQ(client.Post(Utf16("http://localhost:" + port + "/api/x?a=1#part"), EmptyObjectBody),
              u"[1]");
    ASSERT_EQ(plain.Requests().size(), 1u);
    EXPECT_EQ(plain.Requests()[0].raw, ExpectedRequest("/api/x?a=1", "application/json", "{}",
                                                       "localhost:" + port, InitialAgent));

    const std::string securePort = std::to_string(secure.Port());
    EXPECT_EQ(client.Post(Utf16("https://localhost:" + securePort + "/y"), EmptyObjectBody),
              u"[2]");
    EXPECT_EQ(client.Post(Utf16("https://127.0.0.1:" + securePort + "/y"), EmptyObjectBody),
              u"[2]");
    const auto requests = secure.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].serverName, "localhost");
    EXPECT_EQ(requests[1].serverName, ""); // an IP literal is not a server name
}

TEST(RequestBytes, TlsLibraryLoadedOnceStaysInUse)
{
    EXPECT_TRUE(TlsLibraryAvailable());
    SetTlsLibraryNames("libssl-not-installed.so.3", "libcrypto-not-installed.so.3");
    RegistryServer server(Tls::On);
    server.SetHandler([](const auto&) { return ScriptedAnswer::Json("[]"); });
    HttpClient client;
    Prepare(client);
    EXPECT_EQ(PostAndCatch(client, UrlOf(server, "/x"), EmptyObjectBody), Succeeds("[]"));
}

TEST(RequestBytes, BodyIsTheTrimmedLineOrTheLinesJoinedWithAmpersand)
{
    const struct {
        const char* name;
        std::vector<std::u16string> lines;
        std::string body;
    } cases[] = {
        {"one line sent as is", {u"{}"}, "{}"},
        {"blanks and controls trimmed", {u" \t{\"a\":1}\r\n "}, "{\"a\":1}"},
        {"no line", {}, ""},
        {"two lines joined", {u"a=1", u"b=2"}, "a=1&b=2"},
        {"outer blanks of several lines trimmed", {u" a=1", u"b=2 "}, "a=1&b=2"},
        {"non-ASCII becomes a question mark", {u"\u0416x\u00e9"}, "?x?"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(BuildBody(testCase.lines), testCase.body) << testCase.name;
    }
}

TEST(RequestBytes, ContentTypeKeepsItsCharsetApart)
{
    const struct {
        const char* name;
        std::vector<std::u16string> values; // set in this order
        std::u16string header;
    } cases[] = {
        {"media type only", {u"application/json"}, u"application/json"},
        {"charset split off",
         {u"application/json;charset=UTF-8"},
         u"application/json; charset=UTF-8"},
        {"charset survives a value without one",
         {u"application/json; charset=UTF-8", u"text/plain"},
         u"text/plain; charset=UTF-8"},
        {"a later charset replaces it",
         {u"a/b;charset=UTF-8", u"a/b; Charset=\"koi8-r\""},
         u"a/b; charset=koi8-r"},
        {"other parameters stay with the media type",
         {u"a/b; q=1; charset=x"},
         u"a/b; q=1; charset=x"},
        {"a charset with a separator is quoted", {u"a/b;charset=\"x y\""}, u"a/b; charset=\"x y\""},
    };
    for (const auto& testCase : cases) {
        RequestContentType contentType;
        for (const std::u16string& value : testCase.values) {
            contentType.Set(value);
        }
        EXPECT_EQ(contentType.HeaderValue(), testCase.header) << testCase.name;
    }
}

TEST(RequestBytes, UrlPartsComeFromThePreviousRequestWhenMissing)
{
    const RequestUrl previous =
        ResolveRequestUrl(u"https://Reg.Example:8443/api/sro/list?x=1", std::nullopt);
    const struct {
        const char* name;
        std::u16string url;
        std::u16string host;
        std::u16string hostValue;
        std::u16string target;
        bool https;
    } cases[] = {
        {"absolute https, default port", u"https://h.test/a/b?q=1#frag", u"h.test", u"h.test",
         u"/a/b?q=1", true},
        {"absolute http, default port", u"HTTP://h.test:80", u"h.test", u"h.test", u"/", false},
        {"named port", u"http://h.test:8080/x", u"h.test", u"h.test:8080", u"/x", false},
        {"IPv6 literal", u"https://[::1]:9/x", u"::1", u"[::1]:9", u"/x", true},
        {"absolute path", u"/api/member/1/info", u"Reg.Example", u"Reg.Example:8443",
         u"/api/member/1/info", true},
        {"relative path", u"member/list?p=2", u"Reg.Example", u"Reg.Example:8443",
         u"/api/sro/member/list?p=2", true},
        {"dot segments of a relative path", u"./../x", u"Reg.Example", u"Reg.Example:8443",
         u"/api/x", true},
        {"no climbing above the root", u"../../../x", u"Reg.Example", u"Reg.Example:8443", u"/x",
         true},
        {"path written as is", u"https://h.test/a/../b%20c", u"h.test", u"h.test", u"/a/../b%20c",
         true},
        {"network path", u"//other.test/z", u"other.test", u"other.test", u"/z", true},
    };
    for (const auto& testCase : cases) {
        const RequestUrl url = ResolveRequestUrl(testCase.url, previous);
        EXPECT_EQ(url.host, testCase.host) << testCase.name;
        EXPECT_EQ(url.HostValue(), testCase.hostValue) << testCase.name;
        EXPECT_EQ(url.Target(), testCase.target) << testCase.name;
        EXPECT_EQ(url.IsHttps(), testCase.https) << testCase.name;
    }
    for (const std::u16string bad : {u"ftp://h.test/x", u"mailto:x@h.test", u"h.test/x"}) {
        EXPECT_EQ(FailureOf([&] { ResolveRequestUrl(bad, std::nullopt); }), "Unknown Protocol");
    }
}

} // namespace
} // namespace crawl::http::testing
