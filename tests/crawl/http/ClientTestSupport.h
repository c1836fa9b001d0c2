#pragma once

#include "crawl/http/HttpClient.h"
#include "crawl/text/Text.h"
#include "tests/support/RegistryServer.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

// Small helpers shared by the client's tests.
namespace crawl::http::testing {

using testsupport::RegistryServer;
using testsupport::ScriptedAnswer;
using Tls = RegistryServer::Tls;
using namespace std::chrono_literals;

// Short enough that a faulty wait fails a test instead of stalling the run.
inline constexpr HttpTimeouts TestTimeouts{5000ms, 5000ms};

inline std::u16string Utf16(std::string_view text)
{
    return Utf8ToUtf16(text);
}

inline std::u16string UrlOf(const RegistryServer& server, std::string_view path)
{
    return Utf16(server.BaseUrl() + std::string(path));
}

// The message of the crawl::Error that `request` throws; "(no error)" when it succeeds.
inline std::string FailureOf(const std::function<void()>& request)
{
    try {
        request();
    } catch (const Error& error) {
        return Utf16ToUtf8(error.Message());
    }
    return "(no error)";
}

// What a Post ended with: its answer text, or the message of its error.
struct PostOutcome {
    std::string text;
    std::string error; // empty on success

    bool operator==(const PostOutcome&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const PostOutcome& outcome)
    {
        return out << "text \"" << outcome.text << "\", error \"" << outcome.error << "\"";
    }
};

inline PostOutcome Succeeds(std::string text)
{
    return {std::move(text), ""};
}

inline PostOutcome Fails(std::string error)
{
    return {"", std::move(error)};
}

inline PostOutcome PostAndCatch(HttpClient& client, std::u16string_view url,
                                const std::vector<std::u16string>& lines)
{
    try {
        return Succeeds(Utf16ToUtf8(client.Post(url, lines)));
    } catch (const Error& error) {
        return Fails(Utf16ToUtf8(error.Message()));
    }
}

// A client with the test time-outs and the content type every caller sets.
inline void Prepare(HttpClient& client)
{
    client.SetTimeouts(TestTimeouts);
    client.SetContentType(u"application/json");
}

inline const std::vector<std::u16string> EmptyObjectBody{u"{}"};

} // namespace crawl::http::testing
