#pragma once

#include "crawl/http/Transport.h"

#include <optional>
#include <string>

// Buffered reading of an answer from a transport: lines, counted bytes, the rest.
namespace crawl::http {

class InputBuffer {
public:
    explicit InputBuffer(Transport& transport) : transport_(transport) {}

    // The bytes up to the next line feed, without it and without a carriage return before
    // it. Nothing when the connection closes before a line feed (a partial line stays
    // unconsumed). Throws "Max line length exceeded." for a line longer than `maxLength`.
    std::optional<std::string> ReadLine(std::size_t maxLength);

    // The bytes up to and including the next line feed, as they came. Nothing when the
    // connection closes before a line feed, or when none comes within `maxLength` bytes (the
    // bytes stay unconsumed).
    std::optional<std::string> ReadThroughLineFeed(std::size_t maxLength);

    // Up to `count` bytes: fewer only when the connection closes first.
    std::string ReadCount(std::size_t count);

    // Everything up to the close of the connection, but it stops receiving once it holds more
    // than `maxLength` bytes: a longer result tells the caller that its bound was passed.
    std::string ReadToClose(std::size_t maxLength);

    // True once a receive has seen the peer close the connection.
    bool Closed() const { return closed_; }

private:
    std::size_t Available() const { return pending_.size() - position_; }
    // Receives more bytes after those still unconsumed; false when the connection has closed.
    bool Fill();
    std::string Take(std::size_t count);

    Transport& transport_;
    std::string pending_;
    std::size_t position_ = 0;
    bool closed_ = false;
};

} // namespace crawl::http
