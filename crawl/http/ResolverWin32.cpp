#include "crawl/http/Resolver.h"

#include "crawl/http/SocketCalls.h"
#include "crawl/http/SocketError.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>
#include <memory>
#include <string>

namespace crawl::http {

SocketAddress ResolveHost(std::u16string_view host, int port, bool ipv6Literal)
{
    if (IsReservedInvalidName(host)) {
        ThrowSocketError(WinsockHostNotFound);
    }
    StartSockets();
    ADDRINFOW hints{};
    hints.ai_family = ipv6Literal ? AF_INET6 : AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = ipv6Literal ? AI_NUMERICHOST : 0;
    // GetAddrInfoW looks a name outside ASCII up in its punycode form by itself.
    const std::wstring name(host.begin(), host.end());
    const std::wstring service = std::to_wstring(port);
    ADDRINFOW* found = nullptr;
    // The result is the Windows Sockets number itself (11001 when the host is not found).
    const int result = ::GetAddrInfoW(name.c_str(), service.c_str(), &hints, &found);
    if (result != 0) {
        ThrowSocketError(result);
    }
    const std::unique_ptr<ADDRINFOW, decltype(&::FreeAddrInfoW)> owner(found, &::FreeAddrInfoW);
    SocketAddress address;
    static_assert(sizeof address.storage == sizeof(sockaddr_storage));
    std::memcpy(address.storage, found->ai_addr, found->ai_addrlen);
    address.length = static_cast<int>(found->ai_addrlen);
    address.family = found->ai_family;
    return address;
}

} // namespace crawl::http
