#include "crawl/http/Connection.h"

#include "crawl/http/Connector.h"
#include "crawl/http/Resolver.h"
#include "crawl/http/SocketCalls.h"
#include "crawl/http/TcpTransport.h"
#include "crawl/http/TlsTransport.h"

namespace crawl::http {
namespace {

bool IsIpLiteral(const RequestUrl& url)
{
    return url.IsIpv6Literal() || IsIpv4Literal(url.host);
}

std::unique_ptr<Transport> Open(const RequestUrl& url, const WaitPolicy& policy)
{
    const SocketAddress address = ResolveHost(url.host, url.port, url.IsIpv6Literal());
    auto tcp = std::make_unique<TcpTransport>(ConnectTo(address, policy), policy);
    if (!url.IsHttps()) {
        return tcp;
    }
    return std::make_unique<TlsTransport>(std::move(tcp), url.host, IsIpLiteral(url));
}

} // namespace

Connection::Connection(const RequestUrl& url, const WaitPolicy& policy)
    : endpoint_(url), transport_(Open(url, policy)), input_(*transport_)
{
}

} // namespace crawl::http
