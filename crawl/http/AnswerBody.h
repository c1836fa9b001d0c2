#pragma once

#include "crawl/http/AnswerHead.h"
#include "crawl/http/InputBuffer.h"

#include <string>

// The body bytes of an answer, framed by its headers. No content coding is undone.
namespace crawl::http {

// Chunked transfer coding when Transfer-Encoding names it; else exactly Content-Length
// bytes (what arrived when the server closes early); else a multipart body up to its
// closing boundary; else everything up to the close. A chunked body cut short throws
// "Connection Closed Gracefully.".
std::string ReadAnswerBody(InputBuffer& input, const AnswerHead& head);

} // namespace crawl::http
