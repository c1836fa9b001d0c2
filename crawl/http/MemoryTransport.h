#pragma once

#include "crawl/http/Transport.h"

#include <algorithm>
#include <cstring>
#include <string>

// Answer bytes held in memory, handed out in pieces of a fixed size, then the close; what is
// sent is kept. Feeds the answer reader without a network.
namespace crawl::http {

class MemoryTransport : public Transport {
public:
    explicit MemoryTransport(std::string answer, std::size_t pieceSize = 4096)
        : answer_(std::move(answer)), pieceSize_(std::max<std::size_t>(pieceSize, 1))
    {
    }

    std::size_t Receive(char* buffer, std::size_t size) override
    {
        const std::size_t count = std::min({size, pieceSize_, answer_.size() - position_});
        std::memcpy(buffer, answer_.data() + position_, count);
        position_ += count;
        return count;
    }

    void Send(std::string_view bytes) override { sent_ += bytes; }

    const std::string& Sent() const { return sent_; }

private:
    std::string answer_;
    std::size_t pieceSize_;
    std::size_t position_ = 0;
    std::string sent_;
};

} // namespace crawl::http
