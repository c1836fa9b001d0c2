#include "crawl/http/RequestUrl.h"

#include "crawl/Error.h"
#include "crawl/http/AsciiCase.h"
#include "crawl/text/Text.h"

#include <algorithm>
#include <vector>

namespace crawl::http {
namespace {

constexpr int HttpPort = 80;
constexpr int HttpsPort = 443;

int DefaultPort(std::u16string_view scheme)
{
    return scheme == u"https" ? HttpsPort : HttpPort;
}

// A port of 1 to 65535 digits; nothing for anything else.
std::optional<int> ParsePort(std::u16string_view text)
{
    if (text.empty() || text.size() > 5) {
        return std::nullopt;
    }
    int port = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        port = port * 10 + (c - u'0');
    }
    if (port < 1 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

// RFC 3986 5.2.4: removes "." and ".." segments.
std::u16string RemoveDotSegments(std::u16string_view path)
{
    std::vector<std::u16string_view> segments;
    std::size_t start = 1;
    while (start <= path.size()) {
        std::size_t end = path.find(u'/', start);
        if (end == std::u16string_view::npos) {
            end = path.size();
        }
        const std::u16string_view segment = path.substr(start, end - start);
        const bool last = end == path.size();
        if (segment == u"..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
            if (last) {
                segments.push_back(u"");
            }
        } else if (segment == u".") {
            if (last) {
                segments.push_back(u"");
            }
        } else {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::u16string result;
    for (const std::u16string_view segment : segments) {
        result += u'/';
        result += segment;
    }
    return result.empty() ? u"/" : result;
}

void SplitAuthority(std::u16string_view authority, RequestUrl& url)
{
    // User information before "@" is not used.
    const std::size_t at = authority.rfind(u'@');
    if (at != std::u16string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    std::u16string_view portText;
    bool portGiven = false;
    if (authority.starts_with(u'[')) {
        const std::size_t close = authority.find(u']');
        const std::size_t hostEnd = close == std::u16string_view::npos ? authority.size() : close;
        url.host = authority.substr(1, hostEnd - 1);
        if (close != std::u16string_view::npos && close + 1 < authority.size() &&
            authority[close + 1] == u':') {
            portText = authority.substr(close + 2);
            portGiven = true;
        }
    } else {
        const std::size_t colon = authority.rfind(u':');
        url.host = authority.substr(0, colon);
        if (colon != std::u16string_view::npos) {
            portText = authority.substr(colon + 1);
            portGiven = true;
        }
    }
    url.port = DefaultPort(url.scheme);
    if (portGiven && !portText.empty()) {
        const std::optional<int> port = ParsePort(portText);
        if (!port) {
            throw Error(u"Invalid port number: " + std::u16string(portText));
        }
        url.port = *port;
    }
}

} // namespace

bool RequestUrl::IsIpv6Literal() const
{
    return host.find(u':') != std::u16string::npos;
}

std::u16string RequestUrl::Target() const
{
    return query.empty() ? path : path + u'?' + query;
}

std::u16string RequestUrl::HostValue() const
{
    std::u16string value = IsIpv6Literal() ? u'[' + host + u']' : host;
    if (port != DefaultPort(scheme)) {
        value += u':' + IntToText(port);
    }
    return value;
}

bool RequestUrl::SameEndpoint(const RequestUrl& other) const
{
    return scheme == other.scheme && SameName(host, other.host) && port == other.port;
}

RequestUrl ResolveRequestUrl(std::u16string_view url, const std::optional<RequestUrl>& previous)
{
    url = url.substr(0, url.find(u'#'));
    RequestUrl result;
    std::u16string_view rest = url;

    const std::size_t schemeEnd = rest.find(u"://");
    const std::size_t firstSlash = rest.find(u'/');
    if (schemeEnd != std::u16string_view::npos && schemeEnd < firstSlash) {
        result.scheme = LowerAscii(rest.substr(0, schemeEnd));
        rest.remove_prefix(schemeEnd + 1); // keeps "//" before the authority
    } else if (previous) {
        result.scheme = previous->scheme;
    }
    if (result.scheme != u"http" && result.scheme != u"https") {
        throw Error(u"Unknown Protocol");
    }

    std::u16string_view pathAndQuery = rest;
    const bool hasAuthority = rest.starts_with(u"//");
    if (hasAuthority) {
        rest.remove_prefix(2);
        const std::size_t authorityEnd = std::min(rest.find_first_of(u"/?"), rest.size());
        SplitAuthority(rest.substr(0, authorityEnd), result);
        pathAndQuery = rest.substr(authorityEnd);
    } else if (previous) {
        result.host = previous->host;
        result.port = previous->port;
    } else {
        result.port = DefaultPort(result.scheme);
    }

    const std::size_t questionMark = pathAndQuery.find(u'?');
    const std::u16string_view path = pathAndQuery.substr(0, questionMark);
    if (questionMark != std::u16string_view::npos) {
        result.query = pathAndQuery.substr(questionMark + 1);
    }
    if (path.starts_with(u'/')) {
        result.path = path; // sent exactly as written
    } else if (hasAuthority || !previous) {
        result.path = u"/" + std::u16string(path);
    } else if (path.empty()) {
        result.path = previous->path;
    } else {
        // RFC 3986 5.2.3: merged with the previous path up to its last "/".
        const std::u16string base = previous->path.substr(0, previous->path.rfind(u'/') + 1);
        result.path = RemoveDotSegments(base + std::u16string(path));
    }
    return result;
}

} // namespace crawl::http
