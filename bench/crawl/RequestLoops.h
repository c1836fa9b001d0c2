#pragma once

#include "crawl/http/HttpClient.h"

#include <cstddef>
#include <string>

// The baselines of a run's throughput: its requests without the run, and bare TLS handshakes.
namespace bench {

// The requests of a run over BenchMembers(members) at `baseUrl` ("https://host:port"), in the
// run's order (a members page, then the info of each of its members), made with `http`'s Post
// alone: no parsing, no record, no file, no log. Returns the seconds taken. The requests are made
// on a thread of their own, as a run makes them: on the client's UI thread they would wait in
// slices and serve window messages.
double BareRequestLoop(crawl::http::HttpClient& http, const std::string& baseUrl,
                       std::size_t members);

enum class TlsContext {
    PerConnection, // a new client context for every connection, as the client makes them
    Shared,        // one context for all
};

// `count` times: TCP connect to 127.0.0.1:`port`, TLS 1.2 handshake, close; straight on
// OpenSSL. Returns the seconds taken; throws std::runtime_error when a handshake fails.
double RawTlsHandshakes(int port, std::size_t count, TlsContext context);

} // namespace bench
