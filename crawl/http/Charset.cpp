#include "crawl/http/Charset.h"

#include "crawl/http/CharsetDeclaration.h"
#include "crawl/http/CharsetNames.h"
#include "crawl/http/CodePageDecoder.h"
#include "crawl/text/Text.h"

#include <algorithm>
#include <optional>

namespace crawl::http {
namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
    return lower;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// Header values are ASCII; anything else cannot name a media type or charset.
std::string AsciiOf(std::u16string_view text)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (const char16_t c : text) {
        ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return ascii;
}

struct MediaType {
    std::string type;    // lower case
    std::string subtype; // lower case
    std::optional<std::string> charset;
};

// "type/subtype; name=value; ..." where a value may be a quoted string holding ";".
MediaType ParseContentType(std::u16string_view contentType)
{
    const std::string value = AsciiOf(contentType);
    const std::string_view text = value;
    MediaType media;
    std::size_t position = std::min(text.find(';'), text.size());
    const std::string fullType = LowerAscii(TrimBlanks(text.substr(0, position)));
    const std::size_t slash = fullType.find('/');
    media.type = fullType.substr(0, slash);
    media.subtype = slash == std::string::npos ? std::string() : fullType.substr(slash + 1);
    while (position < text.size()) {
        ++position; // the ";"
        const std::size_t equals = text.find('=', position);
        const std::size_t nextSemicolon = std::min(text.find(';', position), text.size());
        if (equals == std::string_view::npos || equals > nextSemicolon) {
            position = nextSemicolon;
            continue;
        }
        const std::string_view name = TrimBlanks(text.substr(position, equals - position));
        position = equals + 1;
        while (position < text.size() && (text[position] == ' ' || text[position] == '\t')) {
            ++position;
        }
        std::string parameter;
        if (position < text.size() && text[position] == '"') {
            for (++position; position < text.size() && text[position] != '"'; ++position) {
                if (text[position] == '\\' && position + 1 < text.size()) {
                    ++position;
                }
                parameter.push_back(text[position]);
            }
            position = std::min(text.find(';', position), text.size());
        } else {
            const std::size_t end = std::min(text.find(';', position), text.size());
            parameter = TrimBlanks(text.substr(position, end - position));
            position = end;
        }
        if (LowerAscii(name) == "charset" && !media.charset) {
            media.charset = parameter;
        }
    }
    return media;
}

bool IsXmlSubtype(std::string_view subtype)
{
    return subtype == "xml" || subtype == "xml-external-parsed-entity" || subtype.ends_with("+xml");
}

} // namespace

std::string AnswerCharset(std::u16string_view contentType, std::string_view body)
{
    const MediaType media = ParseContentType(contentType);
    std::optional<std::string> charset = media.charset;
    if (!charset && media.type == "text") {
        charset = IsXmlSubtype(media.subtype) ? "us-ascii" : "ISO-8859-1";
    }
    std::optional<std::string> declared;
    if (media.type == "text" && media.subtype == "html") {
        declared = HtmlMetaCharset(body);
    } else if (IsXmlSubtype(media.subtype)) {
        declared = XmlDeclarationEncoding(body);
    }
    return declared.value_or(charset.value_or(std::string()));
}

std::u16string DecodeCharset(std::string_view charset, std::string_view bytes)
{
    // UTF-8, the registry's own charset, has a converter of its own that needs no system call.
    constexpr unsigned Utf8CodePage = 65001;
    const std::optional<unsigned> codePage = WindowsCodePageOfCharset(TrimBlanks(charset));
    if (codePage == Utf8CodePage) {
        return Utf8ToUtf16(bytes);
    }
    if (codePage) {
        if (std::optional<std::u16string> text = DecodeCodePage(*codePage, bytes)) {
            return *text;
        }
    }
    return Latin1ToUtf16(bytes);
}

std::u16string DecodeBody(std::u16string_view contentType, std::string_view body)
{
    return DecodeCharset(AnswerCharset(contentType, body), body);
}

} // namespace crawl::http
