#pragma once

#include "crawl/http/AnswerHead.h"
#include "crawl/http/InputBuffer.h"

#include <string>

// The body bytes of an answer, framed by its headers. No content coding is undone.
namespace crawl::http {

// A body may hold at most this many bytes: it is held whole in memory, and decoded into twice
// as many. A registry page of 20 members or 100 SROs takes a few tens of KiB.
inline constexpr std::size_t MaxBodyBytes = std::size_t(32) << 20; // 32 MiB

// Chunked transfer coding when Transfer-Encoding names it; else exactly Content-Length
// bytes (what arrived when the server closes early); else a multipart body up to its
// closing boundary; else everything up to the close. A chunked body cut short throws
// "Connection Closed Gracefully."; a body announced or arriving beyond MaxBodyBytes throws
// "Answer body too large.".
std::string ReadAnswerBody(InputBuffer& input, const AnswerHead& head);

} // namespace crawl::http
