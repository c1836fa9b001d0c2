#include "crawl/http/AnswerBody.h"

#include "crawl/Error.h"
#include "crawl/http/AsciiCase.h"
#include "crawl/text/Text.h"

#include <algorithm>
#include <optional>

namespace crawl::http {
namespace {

// A body beyond MaxBodyBytes, announced or arrived, fails the request.
void CheckBodySize(std::uint64_t size)
{
    if (size > MaxBodyBytes) {
        throw Error(u"Answer body too large.");
    }
}

// A number beyond MaxBodyBytes reads as MaxBodyBytes + 1, which no bound lets pass.
std::optional<std::uint64_t> ParseNumber(std::u16string_view text, int base)
{
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (base == 16 && LowerAscii(c) >= u'a' && LowerAscii(c) <= u'f') {
            digit = LowerAscii(c) - u'a' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = std::min<std::uint64_t>(value * base + digit, MaxBodyBytes + 1);
    }
    return value;
}

std::string ReadLineOrClosed(InputBuffer& input)
{
    std::optional<std::string> line = input.ReadLine(MaxLineLength);
    if (!line) {
        throw Error(u"Connection Closed Gracefully.");
    }
    return std::move(*line);
}

// RFC 9112 7.1: chunk-size [; extensions] CRLF, data CRLF, ..., "0" CRLF, trailers CRLF.
std::string ReadChunked(InputBuffer& input)
{
    std::string body;
    for (;;) {
        const std::string sizeLine = ReadLineOrClosed(input);
        std::u16string sizeText = Trim(Latin1ToUtf16(sizeLine.substr(0, sizeLine.find(';'))));
        const std::optional<std::uint64_t> size = ParseNumber(sizeText, 16);
        if (!size) {
            throw Error(u"Invalid chunk size.");
        }
        if (*size == 0) {
            break;
        }
        CheckBodySize(body.size() + *size);
        const std::string chunk = input.ReadCount(static_cast<std::size_t>(*size));
        if (chunk.size() < *size) {
            throw Error(u"Connection Closed Gracefully.");
        }
        body += chunk;
        ReadLineOrClosed(input); // the line end after the chunk data
    }
    // Trailer fields up to the empty line are read and dropped.
    while (!ReadLineOrClosed(input).empty()) {
    }
    return body;
}

// The value of a media type parameter (quotes removed); empty when it is absent.
std::u16string ParameterOf(std::u16string_view contentType, std::u16string_view name)
{
    std::size_t start = contentType.find(u';');
    while (start != std::u16string_view::npos) {
        const std::size_t end = contentType.find(u';', start + 1);
        const std::u16string_view parameter = contentType.substr(start + 1, end - start - 1);
        const std::size_t equals = parameter.find(u'=');
        if (equals != std::u16string_view::npos &&
            SameName(Trim(parameter.substr(0, equals)), name)) {
            std::u16string value = Trim(parameter.substr(equals + 1));
            if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') {
                value = value.substr(1, value.size() - 2);
            }
            return value;
        }
        start = end;
    }
    return {};
}

// RFC 2046 5.1.1: the body ends with the line "--" + boundary + "--"; that line is part of it.
std::string ReadMultipart(InputBuffer& input, std::u16string_view boundary)
{
    const std::u16string closing = u"--" + std::u16string(boundary) + u"--";
    std::string body;
    for (;;) {
        const std::size_t room = MaxBodyBytes - body.size();
        const std::optional<std::string> line = input.ReadThroughLineFeed(room);
        if (!line) {
            // The close came first, or no line feed within the bound: the rest, up to the close.
            const std::string rest = input.ReadToClose(room);
            CheckBodySize(body.size() + rest.size());
            return body + rest;
        }
        body += *line;
        if (Trim(Latin1ToUtf16(*line)) == closing) {
            return body;
        }
    }
}

} // namespace

std::string ReadAnswerBody(InputBuffer& input, const AnswerHead& head)
{
    if (Contains(LowerAscii(head.Value(u"Transfer-Encoding")), u"chunked")) {
        return ReadChunked(input);
    }
    const std::u16string contentLength = Trim(head.Value(u"Content-Length"));
    if (const std::optional<std::uint64_t> length = ParseNumber(contentLength, 10)) {
        CheckBodySize(*length);
        return input.ReadCount(static_cast<std::size_t>(*length));
    }
    const std::u16string contentType = head.Value(u"Content-Type");
    const std::u16string boundary = ParameterOf(contentType, u"boundary");
    if (LowerAscii(contentType).starts_with(u"multipart/") && !boundary.empty()) {
        return ReadMultipart(input, boundary);
    }
    std::string body = input.ReadToClose(MaxBodyBytes);
    CheckBodySize(body.size());
    return body;
}

} // namespace crawl::http
