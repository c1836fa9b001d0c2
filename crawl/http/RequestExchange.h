#pragma once

#include "crawl/http/Connection.h"
#include "crawl/http/RequestUrl.h"
#include "crawl/http/SocketWait.h"

#include <memory>
#include <optional>
#include <string>

// One Post carried through: connect, send, read the answer, follow redirects. Keeps what
// outlives a request: the previous URL, the cookies and a connection kept alive.
namespace crawl::http {

// One answer may set at most this many cookies. RFC 6265 6.1 asks a client to keep at least
// 50 per domain; a registry answer sets a few.
inline constexpr std::size_t MaxCookiesPerAnswer = 100;

struct AnswerHead;
class CookieStore;

struct RequestSettings {
    std::u16string contentType; // the full header value; no header when empty
    std::u16string userAgent;
};

class RequestExchange {
public:
    RequestExchange();
    ~RequestExchange();

    std::u16string Post(std::u16string_view url, const std::string& body,
                        const RequestSettings& settings, const WaitPolicy& policy);

private:
    struct RequestLine {
        std::u16string_view method;
        std::optional<std::string> body; // none for a GET
    };

    // Connects unless the connection kept alive leads to the same endpoint, then sends.
    void Send(const RequestUrl& target, const RequestLine& request, const RequestSettings& settings,
              const WaitPolicy& policy);
    // The first answer head that is not interim.
    AnswerHead ReadFinalHead(const RequestUrl& target);
    void StoreCookies(const AnswerHead& head, const RequestUrl& url);
    // Closes the connection unless the server keeps it alive.
    void EndExchange(const AnswerHead& head);

    std::optional<RequestUrl> previousUrl_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<CookieStore> cookies_;
};

} // namespace crawl::http
