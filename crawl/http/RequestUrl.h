#pragma once

#include <optional>
#include <string>
#include <string_view>

// The parts of a request URL, with missing parts filled in from the previous request.
namespace crawl::http {

struct RequestUrl {
    std::u16string scheme; // "http" or "https", lower case
    std::u16string host;   // without the brackets of an IPv6 address
    int port = 0;
    std::u16string path;  // begins with "/"
    std::u16string query; // without the "?"; the fragment is never kept

    bool IsHttps() const { return scheme == u"https"; }
    bool IsIpv6Literal() const;
    // The target of the request line: path, then "?" and the query when there is one.
    std::u16string Target() const;
    // The "Host" value: the host, then ":" and the port unless it is the scheme's default.
    std::u16string HostValue() const;
    bool SameEndpoint(const RequestUrl& other) const;
};

// Splits `url`; a part it lacks (scheme, host, port, path) is taken from `previous`, and a
// relative path is resolved against the previous path. Throws "Unknown Protocol" when the
// scheme is neither "http" nor "https".
RequestUrl ResolveRequestUrl(std::u16string_view url, const std::optional<RequestUrl>& previous);

} // namespace crawl::http
