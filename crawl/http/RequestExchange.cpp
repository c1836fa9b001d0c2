#include "crawl/http/RequestExchange.h"

#include "crawl/http/AnswerBody.h"
#include "crawl/http/AnswerHead.h"
#include "crawl/http/AnswerStatus.h"
#include "crawl/http/Charset.h"
#include "crawl/http/CookieStore.h"
#include "crawl/http/HttpClient.h"
#include "crawl/http/RequestHead.h"
#include "crawl/text/Text.h"

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
    for (const std::u16string& setCookie : head.Values(u"Set-Cookie")) {
        cookies_->Store(CookieUrlOf(url), setCookie);
    }
}

std::u16string RequestExchange::Post(std::u16string_view url, const std::string& body,
                                     const RequestSettings& settings, const WaitPolicy& policy)
{
    connection_.reset();
    RequestUrl target = ResolveRequestUrl(url, previousUrl_);
    std::u16string_view method = u"POST";
    std::optional<std::string> sentBody = body;
    try {
        for (int redirects = 0;;) {
            previousUrl_ = target;
            if (!connection_ || !connection_->Endpoint().SameEndpoint(target)) {
                connection_.reset();
                connection_ = std::make_unique<Connection>(target, policy);
            }
            const std::u16string cookies = cookies_->HeaderFor(CookieUrlOf(target));
            const std::optional<std::size_t> length =
                sentBody ? std::optional(sentBody->size()) : std::nullopt;
            connection_->Output().Send(BuildRequestHead(
                {method, target, settings.contentType, length, settings.userAgent, cookies}));
            if (sentBody && !sentBody->empty()) {
                connection_->Output().Send(*sentBody);
            }

            InputBuffer& input = connection_->Input();
            // Every answer's cookies are kept, interim and error answers included.
            AnswerHead head = ReadAnswerHead(input);
            StoreCookies(head, target);
            while (OutcomeOf(head) == AnswerOutcome::Interim) {
                head = ReadAnswerHead(input);
                StoreCookies(head, target);
            }
            const auto finish = [&] {
                if (!KeepsAlive(head) || input.Closed()) {
                    connection_.reset();
                }
            };

            switch (OutcomeOf(head)) {
            case AnswerOutcome::NoBody:
                finish();
                return {};
            case AnswerOutcome::DeliverBody: {
                const std::string bytes = ReadAnswerBody(input, head);
                finish();
                return AnswerText(bytes, head);
            }
            case AnswerOutcome::Redirect:
                if (++redirects == MaxRedirects) {
                    connection_.reset();
                    return {};
                }
                ReadAnswerBody(input, head); // thrown away
                finish();
                target = ResolveRequestUrl(head.Value(u"Location"), target);
                if (head.statusCode == 303) {
                    method = u"GET";
                    sentBody.reset();
                }
                break;
            case AnswerOutcome::Interim:
            case AnswerOutcome::Error: {
                const std::string bytes = ReadAnswerBody(input, head);
                connection_.reset();
                throw HttpStatusError(head.statusLine, head.statusCode, AnswerText(bytes, head));
            }
            }
        }
    } catch (...) {
        connection_.reset();
        throw;
    }
}

} // namespace crawl::http
