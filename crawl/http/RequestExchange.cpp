#include "crawl/http/RequestExchange.h"

#include "crawl/Error.h"
#include "crawl/http/AnswerBody.h"
#include "crawl/http/AnswerHead.h"
#include "crawl/http/AnswerStatus.h"
#include "crawl/http/Charset.h"
#include "crawl/http/CookieStore.h"
#include "crawl/http/HttpClient.h"
#include "crawl/http/RequestHead.h"
#include "crawl/text/Text.h"

#include <vector>

namespace crawl::http {
namespace {

// The 15th redirect answer in a row ends the request, without error and with no text.
constexpr int MaxRedirects = 15;

bool KeepsAlive(const AnswerHead& head)
{
    return SameName(Trim(head.Value(u"Connection")), u"keep-alive");
}

CookieUrl CookieUrlOf(const RequestUrl& url)
{
    return {url.scheme, url.host, url.path};
}

std::u16string AnswerText(const std::string& body, const AnswerHead& head)
{
    return DecodeBody(head.Value(u"Content-Type"), body);
}

} // namespace

RequestExchange::RequestExchange() : cookies_(std::make_unique<CookieStore>())
{
}

RequestExchange::~RequestExchange() = default;

void RequestExchange::StoreCookies(const AnswerHead& head, const RequestUrl& url)
{
    const std::vector<std::u16string> setCookies = head.Values(u"Set-Cookie");
    // The bound (MaxCookiesPerAnswer) is checked first, so such an answer stores none.
    if (setCookies.size() > MaxCookiesPerAnswer) {
        throw Error(u"Too many cookies.");
    }
    for (const std::u16string& setCookie : setCookies) {
        cookies_->Store(CookieUrlOf(url), setCookie);
    }
}

void RequestExchange::Send(const RequestUrl& target, const RequestLine& request,
                           const RequestSettings& settings, const WaitPolicy& policy)
{
    if (!connection_ || !connection_->Endpoint().SameEndpoint(target)) {
        connection_.reset();
        connection_ = std::make_unique<Connection>(target, policy);
    }
    const std::u16string cookies = cookies_->HeaderFor(CookieUrlOf(target));
    const std::optional<std::size_t> length =
        request.body ? std::optional(request.body->size()) : std::nullopt;
    // The head in one write, the body in a second.
    connection_->Output().Send(BuildRequestHead(
        {request.method, target, settings.contentType, length, settings.userAgent, cookies}));
    if (request.body && !request.body->empty()) {
        connection_->Output().Send(*request.body);
    }
}

AnswerHead RequestExchange::ReadFinalHead(const RequestUrl& target)
{
    // Every answer's cookies are kept, interim and error answers included.
    AnswerHead head = ReadAnswerHead(connection_->Input());
    StoreCookies(head, target);
    while (OutcomeOf(head) == AnswerOutcome::Interim) {
        head = ReadAnswerHead(connection_->Input());
        StoreCookies(head, target);
    }
    return head;
}

void RequestExchange::EndExchange(const AnswerHead& head)
{
    if (!KeepsAlive(head) || connection_->Input().Closed()) {
        connection_.reset();
    }
}

std::u16string RequestExchange::Post(std::u16string_view url, const std::string& body,
                                     const RequestSettings& settings, const WaitPolicy& policy)
{
    connection_.reset();
    RequestUrl target = ResolveRequestUrl(url, previousUrl_);
    RequestLine request{u"POST", body};
    try {
        for (int redirects = 0;;) {
            previousUrl_ = target;
            Send(target, request, settings, policy);
            const AnswerHead head = ReadFinalHead(target);
            const AnswerOutcome outcome = OutcomeOf(head);
            if (outcome == AnswerOutcome::NoBody) {
                EndExchange(head);
                return {};
            }
            if (outcome == AnswerOutcome::Redirect && ++redirects == MaxRedirects) {
                connection_.reset();
                return {};
            }
            // The body is read whatever the outcome; a redirect's is thrown away.
            const std::string bytes = ReadAnswerBody(connection_->Input(), head);
            if (outcome == AnswerOutcome::DeliverBody) {
                EndExchange(head);
                return AnswerText(bytes, head);
            }
            if (outcome != AnswerOutcome::Redirect) {
                throw HttpStatusError(head.statusLine, head.statusCode, AnswerText(bytes, head));
            }
            EndExchange(head);
            target = ResolveRequestUrl(head.Value(u"Location"), target);
            if (head.statusCode == 303) {
                request = {u"GET", std::nullopt};
            }
        }
    } catch (...) {
        connection_.reset();
        throw;
    }
}

} // namespace crawl::http
