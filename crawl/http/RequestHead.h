#pragma once

#include "crawl/http/RequestUrl.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a request: its body, its content type and its head.
namespace crawl::http {

// The lines each followed by CR LF, trimmed of characters of code 32 or below at both ends;
// with two or more lines every CR LF left becomes "&". Sent as ASCII.
std::string BuildBody(const std::vector<std::u16string>& lines);

// Text as ASCII bytes; a character above code 127 becomes "?".
std::string ToAsciiBytes(std::u16string_view text);

// The request's media type and its separately kept charset.
class RequestContentType {
public:
    // A value with a "charset" parameter stores the rest as the media type and the
    // parameter's value as the charset; a value without one replaces only the media type.
    void Set(std::u16string_view value);
    // The media type, then "; charset=" and the charset when one is stored (quoted when it
    // holds a control or separator character).
    std::u16string HeaderValue() const;

private:
    std::u16string mediaType_;
    std::u16string charset_;
};

struct RequestHeadFields {
    std::u16string_view method;
    const RequestUrl& url;
    std::u16string_view contentType;          // no header when empty
    std::optional<std::size_t> contentLength; // no header for a request without body
    std::u16string_view userAgent;
    std::u16string_view cookies; // no header when empty
};

// Request line, then Connection, Content-Type, Content-Length, Host, Accept, User-Agent,
// Cookie, and the empty line; nothing else.
std::string BuildRequestHead(const RequestHeadFields& fields);

} // namespace crawl::http
