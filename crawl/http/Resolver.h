#pragma once

#include <string>
#include <sys/socket.h>

// Name lookup of the request host.
namespace crawl::http {

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
    int Family() const { return storage.ss_family; }
};

// The first IPv4 address of `host`, or the IPv6 address that `host` spells when it is an
// IPv6 literal; throws the socket message of the resolver's error (11001: not found).
SocketAddress ResolveHost(std::u16string_view host, int port, bool ipv6Literal);

} // namespace crawl::http
