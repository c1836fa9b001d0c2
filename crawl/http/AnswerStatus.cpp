#include "crawl/http/AnswerStatus.h"

#include "crawl/text/Text.h"

namespace crawl::http {
namespace {

// The authentication schemes the client knows, in no particular order.
constexpr std::u16string_view KnownSchemes[] = {u"Basic", u"Digest", u"NTLM", u"Negotiate"};

std::u16string_view SchemeOf(std::u16string_view challenge)
{
    const std::size_t end = challenge.find_first_of(u" \t,");
    return challenge.substr(0, end);
}

bool IsKnownScheme(std::u16string_view scheme)
{
    for (const std::u16string_view known : KnownSchemes) {
        if (SameName(scheme, known)) {
            return true;
        }
    }
    return false;
}

// A 401/407 whose first known challenge is NTLM or Negotiate is handed over as it is: the
// client never answers a challenge with credentials.
bool IsWindowsChallenge(const AnswerHead& head)
{
    const std::u16string_view header =
        head.statusCode == 401 ? u"WWW-Authenticate" : u"Proxy-Authenticate";
    for (const std::u16string& challenge : head.Values(header)) {
        const std::u16string trimmed = Trim(challenge);
        const std::u16string_view scheme = SchemeOf(trimmed);
        if (IsKnownScheme(scheme)) {
            return SameName(scheme, u"NTLM") || SameName(scheme, u"Negotiate");
        }
    }
    return false;
}

} // namespace

AnswerOutcome OutcomeOf(const AnswerHead& head)
{
    const int status = head.statusCode;
    if (status == 101 || status == 204) {
        return AnswerOutcome::NoBody;
    }
    if (status >= 100 && status <= 199) {
        return AnswerOutcome::Interim;
    }
    if (status >= 200 && status <= 299) {
        return AnswerOutcome::DeliverBody;
    }
    if (status >= 300 && status <= 399 && status != 304 && !head.Value(u"Location").empty()) {
        return AnswerOutcome::Redirect;
    }
    if ((status == 401 || status == 407) && IsWindowsChallenge(head)) {
        return AnswerOutcome::DeliverBody;
    }
    return AnswerOutcome::Error;
}

} // namespace crawl::http
