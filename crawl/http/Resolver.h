#pragma once

#include <string>
#include <string_view>

// Name lookup of the request host.
namespace crawl::http {

struct SocketAddress {
    // The platform's sockaddr_storage (128 bytes on Linux and Windows), kept as bytes so that
    // this header needs no socket header.
    alignas(8) unsigned char storage[128]{};
    int length = 0;
    int family = 0;
    int Family() const { return family; }
};

// The first IPv4 address of `host`, or the IPv6 address that `host` spells when it is an
// IPv6 literal; throws the socket message of the resolver's error (11001: not found).
SocketAddress ResolveHost(std::u16string_view host, int port, bool ipv6Literal);

// RFC 6761 6.4: names under "invalid" never resolve, so they are not sent to a name server.
bool IsReservedInvalidName(std::u16string_view host);

} // namespace crawl::http
