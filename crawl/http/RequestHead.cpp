#include "crawl/http/RequestHead.h"

#include "crawl/http/AsciiCase.h"
#include "crawl/text/Text.h"

namespace crawl::http {
namespace {

constexpr std::u16string_view AcceptValue =
    u"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

bool IsCharsetParameter(std::u16string_view parameter)
{
    const std::size_t equals = parameter.find(u'=');
    return equals != std::u16string_view::npos &&
           SameName(Trim(parameter.substr(0, equals)), u"charset");
}

// RFC 2616 2.2: a parameter value with a control or separator character must be quoted.
bool NeedsQuotes(std::u16string_view value)
{
    constexpr std::u16string_view separators = u"()<>@,;:\\\"/[]?={} \t";
    for (const char16_t c : value) {
        if (c < 32 || c == 127 || separators.find(c) != std::u16string_view::npos) {
            return true;
        }
    }
    return false;
}

std::u16string Quoted(std::u16string_view value)
{
    std::u16string quoted = u"\"";
    for (const char16_t c : value) {
        if (c == u'"' || c == u'\\') {
            quoted += u'\\';
        }
        quoted += c;
    }
    return quoted + u'"';
}

void AddHeader(std::u16string& head, std::u16string_view name, std::u16string_view value)
{
    head += name;
    head += u": ";
    head += value;
    head += u"\r\n";
}

} // namespace

std::string BuildBody(const std::vector<std::u16string>& lines)
{
    std::u16string text;
    for (const std::u16string& line : lines) {
        text += line + u"\r\n";
    }
    text = Trim(text);
    if (lines.size() >= 2) {
        text = ReplaceAll(text, u"\r\n", u"&");
    }
    return ToAsciiBytes(text);
}

std::string ToAsciiBytes(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t c : text) {
        bytes.push_back(c <= 127 ? static_cast<char>(c) : '?');
    }
    return bytes;
}

void RequestContentType::Set(std::u16string_view value)
{
    std::u16string mediaType;
    std::optional<std::u16string> charset;
    std::size_t start = 0;
    for (bool first = true; start <= value.size(); first = false) {
        std::size_t end = value.find(u';', start);
        if (end == std::u16string_view::npos) {
            end = value.size();
        }
        const std::u16string_view part = value.substr(start, end - start);
        if (!first && IsCharsetParameter(part)) {
            std::u16string parameterValue = Trim(part.substr(part.find(u'=') + 1));
            if (parameterValue.size() >= 2 && parameterValue.front() == u'"' &&
                parameterValue.back() == u'"') {
                parameterValue = parameterValue.substr(1, parameterValue.size() - 2);
            }
            charset = parameterValue;
        } else {
            if (!first) {
                mediaType += u';';
            }
            mediaType += part;
        }
        start = end + 1;
    }
    mediaType_ = Trim(mediaType);
    if (charset) {
        charset_ = *charset;
    }
}

std::u16string RequestContentType::HeaderValue() const
{
    if (charset_.empty()) {
        return mediaType_;
    }
    return mediaType_ + u"; charset=" + (NeedsQuotes(charset_) ? Quoted(charset_) : charset_);
}

std::string BuildRequestHead(const RequestHeadFields& fields)
{
    std::u16string head;
    head += fields.method;
    head += u' ' + fields.url.Target() + u" HTTP/1.0\r\n";
    AddHeader(head, u"Connection", u"keep-alive");
    if (!fields.contentType.empty()) {
        AddHeader(head, u"Content-Type", fields.contentType);
    }
    if (fields.contentLength) {
        AddHeader(head, u"Content-Length",
                  IntToText(static_cast<std::int64_t>(*fields.contentLength)));
    }
    AddHeader(head, u"Host", fields.url.HostValue());
    AddHeader(head, u"Accept", AcceptValue);
    AddHeader(head, u"User-Agent", fields.userAgent);
    if (!fields.cookies.empty()) {
        AddHeader(head, u"Cookie", fields.cookies);
    }
    head += u"\r\n";
    return ToAsciiBytes(head);
}

} // namespace crawl::http
