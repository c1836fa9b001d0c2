#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

// The client's cookies, kept in memory only, by the rules of RFC 6265 (sections 5.2 to 5.4).
namespace crawl::http {

// The parts of a request URL that cookies look at.
struct CookieUrl {
    std::u16string_view scheme; // "http" or "https"
    std::u16string_view host;   // a name or an address, without port
    std::u16string_view path;   // without the query; empty counts as "/"
};

// Not synchronised: the client carries one request at a time and calls it from that request.
class CookieStore {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    explicit CookieStore(Clock clock = std::chrono::system_clock::now);

    // Stores the cookie of one "Set-Cookie" header value received for a request to `url`.
    // A value without "=" or with an empty name, and a Domain that the host does not
    // domain-match, leave the store unchanged. An already expired cookie only removes the
    // cookie it replaces.
    void Store(const CookieUrl& url, std::u16string_view setCookie);

    // Drops the expired cookies and returns the value of the request's "Cookie" header: the
    // name=value pairs that apply to `url`, joined by "; ", longer paths first and, among
    // equal paths, earlier-created first. Empty when none applies.
    std::u16string HeaderFor(const CookieUrl& url);

private:
    using Time = std::chrono::sys_time<std::chrono::microseconds>;

    // A stored cookie replaces the one of the same name, domain and path.
    struct CookieKey {
        std::u16string name;
        std::u16string domain;
        std::u16string path;

        auto operator<=>(const CookieKey&) const = default;
    };

    struct Cookie {
        std::u16string value;
        Time expiry;
        Time creation;
        std::uint64_t creationOrder = 0; // breaks ties of equal creation times
        bool hostOnly = true;
        bool secureOnly = false;
    };

    // Ordered indexes, so that storing a cookie costs logarithmic time in the store's size.
    using Cookies = std::map<CookieKey, Cookie>;

    Time Now() const;
    void Erase(Cookies::iterator cookie);
    void DropExpired(Time now);

    Clock clock_;
    Cookies cookies_;
    std::map<std::uint64_t, Cookies::iterator> byStoringOrder_; // the oldest first
    std::uint64_t nextCreationOrder_ = 0;
};

} // namespace crawl::http
