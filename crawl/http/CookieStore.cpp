#include "crawl/http/CookieStore.h"

#include "crawl/http/CookieDate.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

namespace crawl::http {
namespace {

using Time = std::chrono::sys_time<std::chrono::microseconds>;

// RFC 6265 6.1 asks for room for at least 3000 cookies; beyond that the oldest go, so that
// a server cannot make the store grow without end.
constexpr std::size_t MaxCookies = 3000;
// Max-Age values beyond this many seconds (about 30,000 years) are taken as this.
constexpr std::uint64_t MaxAgeLimitSeconds = 1'000'000'000'000;

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

std::u16string LowerAscii(std::u16string_view text)
{
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return LowerAscii(c); });
    return lower;
}

bool EqualsIgnoringCase(std::u16string_view left, std::u16string_view right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char16_t a, char16_t b) { return LowerAscii(a) == LowerAscii(b); });
}

// An IPv6 address holds ":", an IPv4 address only digits and dots; neither is a host name.
bool IsIpAddress(std::u16string_view host)
{
    return host.find(u':') != std::u16string_view::npos ||
           std::all_of(host.begin(), host.end(),
                       [](char16_t c) { return c == u'.' || (c >= u'0' && c <= u'9'); });
}

// RFC 6265 5.1.3; both texts in lower case.
bool DomainMatches(std::u16string_view host, std::u16string_view domain)
{
    if (host == domain) {
        return true;
    }
    return !IsIpAddress(host) && host.size() > domain.size() && host.ends_with(domain) &&
           host[host.size() - domain.size() - 1] == u'.';
}

// RFC 6265 5.1.4: the request path up to its last "/", or "/".
std::u16string DefaultPath(std::u16string_view path)
{
    const std::size_t lastSlash = path.rfind(u'/');
    if (path.empty() || path.front() != u'/' || lastSlash == 0) {
        return u"/";
    }
    return std::u16string(path.substr(0, lastSlash));
}

// RFC 6265 5.1.4.
bool PathMatches(std::u16string_view requestPath, std::u16string_view cookiePath)
{
    return requestPath.starts_with(cookiePath) &&
           (requestPath.size() == cookiePath.size() || cookiePath.ends_with(u'/') ||
            requestPath[cookiePath.size()] == u'/');
}

// RFC 6265 5.2.2: optional "-", then digits only; zero or less is the earliest time.
std::optional<Time> MaxAgeExpiry(std::u16string_view value, Time now)
{
    const bool negative = !value.empty() && value.front() == u'-';
    const std::u16string_view digits = negative ? value.substr(1) : value;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(),
                                       [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    std::uint64_t seconds = 0;
    for (const char16_t digit : digits) {
        seconds =
            std::min(seconds * 10 + static_cast<std::uint64_t>(digit - u'0'), MaxAgeLimitSeconds);
    }
    if (negative || seconds == 0) {
        return Time::min();
    }
    return now + std::chrono::seconds(seconds);
}

struct Attributes {
    std::optional<Time> maxAge;
    std::optional<Time> expires;
    std::optional<std::u16string> domain;
    std::optional<std::u16string> path;
    bool secure = false;
};

// RFC 6265 5.2: the attributes after the first ";"; the last valid one of a name counts.
Attributes ParseAttributes(std::u16string_view unparsed, Time now)
{
    Attributes attributes;
    while (!unparsed.empty()) {
        unparsed.remove_prefix(1); // the ";"
        const std::size_t end = std::min(unparsed.find(u';'), unparsed.size());
        const std::u16string_view attribute = unparsed.substr(0, end);
        unparsed.remove_prefix(end);
        const std::size_t equals = attribute.find(u'=');
        const std::u16string_view name = TrimBlanks(attribute.substr(0, equals));
        const std::u16string_view value = equals == std::u16string_view::npos
                                              ? std::u16string_view()
                                              : TrimBlanks(attribute.substr(equals + 1));
        if (EqualsIgnoringCase(name, u"expires")) {
            if (const std::optional<std::chrono::sys_seconds> date = ParseCookieDate(value)) {
                attributes.expires = *date;
            }
        } else if (EqualsIgnoringCase(name, u"max-age")) {
            if (const std::optional<Time> expiry = MaxAgeExpiry(value, now)) {
                attributes.maxAge = expiry;
            }
        } else if (EqualsIgnoringCase(name, u"domain")) {
            // An empty Domain is ignored; a leading dot is dropped.
            if (!value.empty()) {
                attributes.domain = LowerAscii(value.front() == u'.' ? value.substr(1) : value);
            }
        } else if (EqualsIgnoringCase(name, u"path")) {
            attributes.path =
                value.empty() || value.front() != u'/' ? std::u16string() : std::u16string(value);
        } else if (EqualsIgnoringCase(name, u"secure")) {
            attributes.secure = true;
        }
        // HttpOnly limits scripts, and there are none here; other attributes are unknown.
    }
    return attributes;
}

} // namespace

CookieStore::CookieStore(Clock clock) : clock_(std::move(clock))
{
}

CookieStore::Time CookieStore::Now() const
{
    return std::chrono::time_point_cast<std::chrono::microseconds>(clock_());
}

void CookieStore::Store(const CookieUrl& url, std::u16string_view setCookie)
{
    const std::size_t semicolon = std::min(setCookie.find(u';'), setCookie.size());
    const std::u16string_view nameValue = setCookie.substr(0, semicolon);
    const std::size_t equals = nameValue.find(u'=');
    if (equals == std::u16string_view::npos) {
        return;
    }
    const std::u16string_view name = TrimBlanks(nameValue.substr(0, equals));
    if (name.empty()) {
        return;
    }
    const Time now = Now();
    const Attributes attributes = ParseAttributes(setCookie.substr(semicolon), now);

    CookieKey key{std::u16string(name), {}, {}};
    Cookie cookie;
    cookie.value = TrimBlanks(nameValue.substr(equals + 1));
    cookie.creation = now;
    cookie.creationOrder = nextCreationOrder_++;
    // Max-Age wins over Expires; a cookie with neither lasts as long as the store.
    cookie.expiry =
        attributes.maxAge ? *attributes.maxAge : attributes.expires.value_or(Time::max());
    const std::u16string host = LowerAscii(url.host);
    if (attributes.domain && !attributes.domain->empty()) {
        if (!DomainMatches(host, *attributes.domain)) {
            return;
        }
        cookie.hostOnly = false;
        key.domain = *attributes.domain;
    } else {
        key.domain = host;
    }
    key.path =
        attributes.path && !attributes.path->empty() ? *attributes.path : DefaultPath(url.path);
    cookie.secureOnly = attributes.secure;

    if (const auto old = cookies_.find(key); old != cookies_.end()) {
        cookie.creation = old->second.creation;
        cookie.creationOrder = old->second.creationOrder;
        Erase(old);
    }
    if (cookie.expiry <= now) {
        return;
    }
    const std::uint64_t order = cookie.creationOrder;
    const auto stored = cookies_.emplace(std::move(key), std::move(cookie)).first;
    byStoringOrder_.emplace(order, stored);
    if (cookies_.size() > MaxCookies) {
        Erase(byStoringOrder_.begin()->second);
    }
}

void CookieStore::Erase(Cookies::iterator cookie)
{
    byStoringOrder_.erase(cookie->second.creationOrder);
    cookies_.erase(cookie);
}

std::u16string CookieStore::HeaderFor(const CookieUrl& url)
{
    DropExpired(Now());
    const std::u16string host = LowerAscii(url.host);
    const std::u16string_view path = url.path.empty() ? u"/" : url.path;
    const bool secure = EqualsIgnoringCase(url.scheme, u"https");

    std::vector<const Cookies::value_type*> applying;
    for (const Cookies::value_type& entry : cookies_) {
        const auto& [key, cookie] = entry;
        const bool domainApplies =
            cookie.hostOnly ? host == key.domain : DomainMatches(host, key.domain);
        if (domainApplies && PathMatches(path, key.path) && (secure || !cookie.secureOnly)) {
            applying.push_back(&entry);
        }
    }
    std::sort(applying.begin(), applying.end(), [](const auto* a, const auto* b) {
        if (a->first.path.size() != b->first.path.size()) {
            return a->first.path.size() > b->first.path.size();
        }
        if (a->second.creation != b->second.creation) {
            return a->second.creation < b->second.creation;
        }
        return a->second.creationOrder < b->second.creationOrder;
    });
    std::u16string header;
    for (const auto* entry : applying) {
        if (!header.empty()) {
            header += u"; ";
        }
        header += entry->first.name + u"=" + entry->second.value;
    }
    return header;
}

void CookieStore::DropExpired(Time now)
{
    for (auto cookie = cookies_.begin(); cookie != cookies_.end();) {
        const auto next = std::next(cookie);
        if (cookie->second.expiry <= now) {
            Erase(cookie);
        }
        cookie = next;
    }
}

} // namespace crawl::http
