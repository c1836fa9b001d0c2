#include "crawl/http/InputBuffer.h"

#include "crawl/Error.h"

#include <algorithm>
#include <utility>

namespace crawl::http {
namespace {

// Bytes asked of the transport at a time.
constexpr std::size_t ReceiveSize = 16384;

} // namespace

bool InputBuffer::Fill()
{
    if (closed_) {
        return false;
    }
    if (position_ > 0) {
        pending_.erase(0, position_);
        position_ = 0;
    }
    const std::size_t oldSize = pending_.size();
    pending_.resize(oldSize + ReceiveSize);
    const std::size_t received = transport_.Receive(pending_.data() + oldSize, ReceiveSize);
    pending_.resize(oldSize + received);
    closed_ = received == 0;
    return !closed_;
}

std::string InputBuffer::Take(std::size_t count)
{
    // Taking everything hands the buffer over: a large body is then never held twice.
    if (position_ == 0 && count == pending_.size()) {
        return std::exchange(pending_, std::string());
    }
    std::string bytes = pending_.substr(position_, count);
    position_ += count;
    return bytes;
}

std::optional<std::string> InputBuffer::ReadLine(std::size_t maxLength)
{
    std::size_t searched = 0;
    for (;;) {
        const std::size_t lineFeed = pending_.find('\n', position_ + searched);
        if (lineFeed != std::string::npos) {
            std::size_t length = lineFeed - position_;
            if (length > 0 && pending_[lineFeed - 1] == '\r') {
                --length;
            }
            if (length > maxLength) { // the answer's line limit (MaxLineLength)
                throw Error(u"Max line length exceeded.");
            }
            std::string line = Take(length);
            position_ = lineFeed + 1;
            return line;
        }
        searched = Available();
        // One byte more than the limit may still be the carriage return before the line feed.
        if (searched > maxLength + 1) {
            throw Error(u"Max line length exceeded.");
        }
        if (!Fill()) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> InputBuffer::ReadThroughLineFeed(std::size_t maxLength)
{
    std::size_t searched = 0;
    for (;;) {
        const std::size_t lineFeed = pending_.find('\n', position_ + searched);
        if (lineFeed != std::string::npos && lineFeed - position_ < maxLength) {
            return Take(lineFeed + 1 - position_);
        }
        searched = Available();
        if (searched >= maxLength || !Fill()) {
            return std::nullopt;
        }
    }
}

std::string InputBuffer::ReadCount(std::size_t count)
{
    while (Available() < count && Fill()) {
    }
    return Take(std::min(count, Available()));
}

std::string InputBuffer::ReadToClose(std::size_t maxLength)
{
    while (Available() <= maxLength && Fill()) {
    }
    return Take(Available());
}

} // namespace crawl::http
