#pragma once

#include "crawl/http/AnswerHead.h"

// What the client does with a final answer, by its status and headers.
namespace crawl::http {

enum class AnswerOutcome {
    Interim,     // 1xx other than 101: the real answer follows on the same connection
    DeliverBody, // the body becomes the answer text
    NoBody,      // 101 and 204: the answer text is empty, no body is read
    Redirect,    // 3xx (not 304) with a Location header
    Error,       // the status line becomes the error message
};

AnswerOutcome OutcomeOf(const AnswerHead& head);

} // namespace crawl::http
