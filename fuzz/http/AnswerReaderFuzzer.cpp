// Feeds arbitrary bytes to the answer reader as a server's answer: status line, header lines,
// interim answers, body framing, the resolution of a Location value and the body's decoding.
#include "crawl/Error.h"
#include "crawl/http/AnswerBody.h"
#include "crawl/http/AnswerHead.h"
#include "crawl/http/AnswerStatus.h"
#include "crawl/http/Charset.h"
#include "crawl/http/MemoryTransport.h"
#include "crawl/http/RequestUrl.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const crawl::http::RequestUrl PreviousUrl =
    crawl::http::ResolveRequestUrl(u"https://registry.test/api/sro/list?x=1", std::nullopt);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace crawl::http;
    if (size == 0) {
        return 0;
    }
    // The first byte picks the size of the pieces the transport hands out.
    const std::size_t pieceSize = data[0] % 64 + 1;
    MemoryTransport transport(std::string(reinterpret_cast<const char*>(data) + 1, size - 1),
                              pieceSize);
    InputBuffer input(transport);
    try {
        AnswerHead head = ReadAnswerHead(input);
        while (OutcomeOf(head) == AnswerOutcome::Interim) {
            head = ReadAnswerHead(input);
        }
        if (OutcomeOf(head) == AnswerOutcome::Redirect) {
            ResolveRequestUrl(head.Value(u"Location"), PreviousUrl);
        }
        const std::string body = ReadAnswerBody(input, head);
        if (body.size() > size) {
            __builtin_trap(); // a body can never hold more than the answer's bytes
        }
        DecodeBody(head.Value(u"Content-Type"), body);
    } catch (const crawl::Error&) {
        // Every malformed answer ends in one of the reader's messages.
    }
    return 0;
}
