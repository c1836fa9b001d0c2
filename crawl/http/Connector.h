#pragma once

#include "crawl/http/Resolver.h"
#include "crawl/http/SocketHandle.h"
#include "crawl/http/SocketWait.h"

// Opening the TCP connection.
namespace crawl::http {

// A plain blocking connect off the UI thread. On the UI thread the connect runs on a
// short-lived thread while the caller handles its messages every 125 ms; after the UI
// connect time-out the attempt is abandoned with "Connect timed out.". A failed connect
// throws its socket message.
SocketHandle ConnectTo(const SocketAddress& address, const WaitPolicy& policy);

} // namespace crawl::http
