#include "crawl/http/Resolver.h"

#include "crawl/Error.h"
#include "crawl/http/SocketError.h"
#include "crawl/http/SocketErrorPosix.h"
#include "crawl/text/Text.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <netdb.h>

namespace crawl::http {
namespace {

bool IsAscii(std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c > 127) {
            return false;
        }
    }
    return true;
}

} // namespace

SocketAddress ResolveHost(std::u16string_view host, int port, bool ipv6Literal)
{
    if (IsReservedInvalidName(host)) {
        ThrowSocketError(WinsockHostNotFound);
    }
    addrinfo hints{};
    hints.ai_family = ipv6Literal ? AF_INET6 : AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = ipv6Literal ? AI_NUMERICHOST : 0;
#ifdef AI_IDN
    if (!IsAscii(host)) {
        hints.ai_flags |= AI_IDN; // looked up in its punycode form
    }
#endif
    addrinfo* found = nullptr;
    const std::string name = Utf16ToUtf8(host);
    const std::string service = std::to_string(port);
    const int result = ::getaddrinfo(name.c_str(), service.c_str(), &hints, &found);
    if (result != 0) {
        ThrowSocketError(WinsockNumberFromResolverError(result, errno));
    }
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
    SocketAddress address;
    static_assert(sizeof address.storage == sizeof(sockaddr_storage));
    std::memcpy(address.storage, found->ai_addr, found->ai_addrlen);
    address.length = static_cast<int>(found->ai_addrlen);
    address.family = found->ai_family;
    return address;
}

} // namespace crawl::http
