#pragma once

#include "crawl/http/AsciiCase.h"
#include "crawl/http/InputBuffer.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The status line and header lines of one answer.
namespace crawl::http {

// A status or header line may hold at most this many characters.
inline constexpr std::size_t MaxLineLength = 16384;
// Bounds of one answer's header lines, so that a broken or hostile server cannot exhaust
// memory or time: a registry answer brings about ten lines of well under 1 KiB in all.
inline constexpr std::size_t MaxHeaderLines = 1000;
inline constexpr std::size_t MaxHeaderBytes = std::size_t(1) << 20; // 1 MiB

struct AnswerHead {
    std::u16string statusLine; // as sent, without the line end
    int statusCode = -1;       // -1 when the status line carries no number
    std::vector<std::pair<std::u16string, std::u16string>> headers; // in arrival order

    // The value of the first header of that name (case ignored); empty when there is none.
    std::u16string Value(std::u16string_view name) const;
    // The values of every header of that name, in arrival order.
    std::vector<std::u16string> Values(std::u16string_view name) const;
};

// Reads a status line and the header lines up to the first empty line. Throws "Connection
// Closed Gracefully." when the connection closes before the status line has arrived; a close
// among the header lines ends them. Throws "Too many header lines." past MaxHeaderLines and
// "Answer header too large." past MaxHeaderBytes.
AnswerHead ReadAnswerHead(InputBuffer& input);

// The number in the second blank-separated field, up to a "." if it holds one; -1 when it
// is not a decimal number.
int StatusCodeOf(std::u16string_view statusLine);

} // namespace crawl::http
