#include "crawl/http/RequestExchange.h"

#include "crawl/http/AnswerBody.h"
#include "crawl/http/AnswerHead.h"
#include "crawl/http/AnswerStatus.h"
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

// Placeholder until the charset decoder is merged: one character per byte.
std::u16string DecodeBody(const std::string& body, const AnswerHead&)
{
    return Latin1ToUtf16(body);
}

} // namespace

// Placeholder until the cookie store is merged.
struct RequestExchange::Cookies {
    std::u16string HeaderFor(const RequestUrl&) { return {}; }
    void Store(const AnswerHead&, const RequestUrl&) {}
};

RequestExchange::RequestExchange() : cookies_(std::make_unique<Cookies>())
{
}

RequestExchange::~RequestExchange() = default;

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
            const std::u16string cookies = cookies_->HeaderFor(target);
            const std::optional<std::size_t> length =
                sentBody ? std::optional(sentBody->size()) : std::nullopt;
            connection_->Output().Send(BuildRequestHead(
                {method, target, settings.contentType, length, settings.userAgent, cookies}));
            if (sentBody && !sentBody->empty()) {
                connection_->Output().Send(*sentBody);
            }

            InputBuffer& input = connection_->Input();
            AnswerHead head = ReadAnswerHead(input);
            cookies_->Store(head, target);
            while (OutcomeOf(head) == AnswerOutcome::Interim) {
                head = ReadAnswerHead(input);
                cookies_->Store(head, target);
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
                return DecodeBody(bytes, head);
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
                throw HttpStatusError(head.statusLine, head.statusCode, DecodeBody(bytes, head));
            }
            }
        }
    } catch (...) {
        connection_.reset();
        throw;
    }
}

} // namespace crawl::http
