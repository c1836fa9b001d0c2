#pragma once

#include <cstddef>
#include <string_view>

// The byte stream an HTTP exchange runs over: plain TCP, TLS, or bytes in memory.
namespace crawl::http {

class Transport {
public:
    virtual ~Transport() = default;

    // Waits for data and returns up to `size` bytes of it; 0 once the peer has closed the
    // connection. Throws crawl::Error on a failure or when the wait times out.
    virtual std::size_t Receive(char* buffer, std::size_t size) = 0;

    // Sends all of `bytes` or throws crawl::Error.
    virtual void Send(std::string_view bytes) = 0;
};

} // namespace crawl::http
