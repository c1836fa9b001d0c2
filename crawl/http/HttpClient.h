#pragma once

#include "crawl/Error.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// The one HTTP client of the program: HTTP/1.0 POSTs over plain TCP or TLS 1.2, with
// cookies, redirects and charset decoding. A failed request throws crawl::Error with the
// request layer's (English) message. Whether the TLS library can be loaded: TlsLibrary.h.
namespace crawl::http {

// Request options of the client. Every caller resets them to the empty set before each
// request, and the client implements no other value.
struct HttpOptions {
    bool operator==(const HttpOptions&) const = default;
};

// A final answer whose status is an error: the message is its status line as sent; the
// status code and the decoded body travel along but are never delivered as answer text.
class HttpStatusError : public Error {
public:
    HttpStatusError(std::u16string statusLine, int statusCode, std::u16string body)
        : Error(std::move(statusLine)), statusCode_(statusCode), body_(std::move(body))
    {
    }
    int StatusCode() const noexcept { return statusCode_; }
    const std::u16string& Body() const noexcept { return body_; }

private:
    int statusCode_;
    std::u16string body_;
};

// A request waits at most this long for data each time it waits (plain and TLS alike; also
// the TLS sockets' receive and send time-outs): "Read timed out.".
inline constexpr std::chrono::milliseconds DefaultReadTimeout{30000};
// A connect made on the UI thread gives up after this long: "Connect timed out.".
inline constexpr std::chrono::milliseconds DefaultUiConnectTimeout{120000};

// The client's time-outs; tests shorten them.
struct HttpTimeouts {
    std::chrono::milliseconds read = DefaultReadTimeout;
    std::chrono::milliseconds uiConnect = DefaultUiConnectTimeout;
};

class HttpClient {
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // HTTPOptions: the empty set is the only value.
    void SetHTTPOptions(HttpOptions options);

    // Request.ContentType: a value with a "charset" parameter stores media type and charset;
    // one without it replaces only the media type and keeps the stored charset.
    void SetContentType(std::u16string_view contentType);
    // Request.UserAgent; initially "Mozilla/3.0 (compatible; Indy Library)".
    void SetUserAgent(std::u16string_view userAgent);

    // POSTs the lines (the callers pass exactly one) to an absolute http:// or https:// URL
    // and returns the decoded answer body. Waits while another thread's request runs; a call
    // re-entered from the UI-thread hook throws.
    std::u16string Post(std::u16string_view url, const std::vector<std::u16string>& lines);

    // Requests made on `uiThread` wait in short slices and call `processMessages` after every
    // slice in which nothing arrived, so the window stays responsive (connect: 125 ms slices,
    // 120 s limit; data: 250 ms slices). Requests on any other thread simply block.
    void SetUiThreadHook(std::thread::id uiThread, std::function<void()> processMessages);

    // For requests that start afterwards.
    void SetTimeouts(HttpTimeouts timeouts);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace crawl::http
