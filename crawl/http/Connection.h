#pragma once

#include "crawl/http/InputBuffer.h"
#include "crawl/http/RequestUrl.h"
#include "crawl/http/SocketWait.h"
#include "crawl/http/Transport.h"

#include <memory>

// One open connection to a request's host: plain TCP for "http", TLS for "https".
namespace crawl::http {

class Connection {
public:
    // Resolves the host, connects and, for "https", performs the TLS handshake.
    Connection(const RequestUrl& url, const WaitPolicy& policy);

    const RequestUrl& Endpoint() const { return endpoint_; }
    Transport& Output() { return *transport_; }
    InputBuffer& Input() { return input_; }

private:
    RequestUrl endpoint_;
    std::unique_ptr<Transport> transport_;
    InputBuffer input_;
};

} // namespace crawl::http
