#pragma once

#include "crawl/http/SocketCalls.h"

#include <utility>

// Owns one socket descriptor and closes it.
namespace crawl::http {

class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(int descriptor) : descriptor_(descriptor) {}
    SocketHandle(SocketHandle&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1))
    {
    }
    SocketHandle& operator=(SocketHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            descriptor_ = std::exchange(other.descriptor_, -1);
        }
        return *this;
    }
    ~SocketHandle() { Close(); }

    int Get() const { return descriptor_; }
    void Close()
    {
        if (descriptor_ >= 0) {
            CloseSocket(descriptor_);
            descriptor_ = -1;
        }
    }

private:
    int descriptor_ = -1;
};

} // namespace crawl::http
