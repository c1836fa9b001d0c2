#include "crawl/http/AnswerHead.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"

namespace crawl::http {
namespace {

// Answer lines are ASCII; any other byte becomes the replacement character.
std::u16string AsciiToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.push_back(code < 0x80 ? char16_t(code) : u'\uFFFD');
    }
    return text;
}

} // namespace

std::u16string AnswerHead::Value(std::u16string_view name) const
{
    for (const auto& [headerName, value] : headers) {
        if (SameName(headerName, name)) {
            return value;
        }
    }
    return {};
}

std::vector<std::u16string> AnswerHead::Values(std::u16string_view name) const
{
    std::vector<std::u16string> values;
    for (const auto& [headerName, value] : headers) {
        if (SameName(headerName, name)) {
            values.push_back(value);
        }
    }
    return values;
}

int StatusCodeOf(std::u16string_view statusLine)
{
    const std::size_t firstBlank = statusLine.find(u' ');
    if (firstBlank == std::u16string_view::npos) {
        return -1;
    }
    std::u16string_view field = statusLine.substr(firstBlank + 1);
    field = field.substr(0, field.find(u' '));
    field = field.substr(0, field.find(u'.'));
    if (field.empty() || field.size() > 9) {
        return -1;
    }
    int code = 0;
    for (const char16_t c : field) {
        if (c < u'0' || c > u'9') {
            return -1;
        }
        code = code * 10 + (c - u'0');
    }
    return code;
}

AnswerHead ReadAnswerHead(InputBuffer& input)
{
    AnswerHead head;
    // RFC 9110 5.4: HTTP sets no line limit; a client refuses lines longer than its own.
    const std::optional<std::string> statusLine = input.ReadLine(MaxLineLength);
    if (!statusLine) {
        throw Error(u"Connection Closed Gracefully.");
    }
    head.statusLine = AsciiToUtf16(*statusLine);
    head.statusCode = StatusCodeOf(head.statusLine);
    std::size_t lines = 0;
    std::size_t bytes = 0;
    for (;;) {
        const std::optional<std::string> line = input.ReadLine(MaxLineLength);
        if (!line) {
            input.ReadToClose(MaxLineLength); // a header line cut short by the close is dropped
            break;
        }
        if (line->empty()) {
            break;
        }
        // Bounds of the whole head (MaxHeaderLines, MaxHeaderBytes): each line costs memory,
        // and a Set-Cookie line the work of storing it.
        if (++lines > MaxHeaderLines) {
            throw Error(u"Too many header lines.");
        }
        bytes += line->size();
        if (bytes > MaxHeaderBytes) {
            throw Error(u"Answer header too large.");
        }
        const std::u16string text = AsciiToUtf16(*line);
        // A line that begins with a blank continues the previous header (obsolete folding).
        if ((text[0] == u' ' || text[0] == u'\t') && !head.headers.empty()) {
            head.headers.back().second += u' ' + Trim(text);
            continue;
        }
        const std::size_t colon = text.find(u':');
        if (colon == std::u16string::npos) {
            head.headers.emplace_back(Trim(text), std::u16string());
        } else {
            head.headers.emplace_back(Trim(std::u16string_view(text).substr(0, colon)),
                                      Trim(std::u16string_view(text).substr(colon + 1)));
        }
    }
    return head;
}

} // namespace crawl::http
