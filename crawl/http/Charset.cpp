#include "crawl/http/Charset.h"

#include "crawl/http/CharsetDeclaration.h"
#include "crawl/text/Text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace crawl::http {
namespace {

// Output of one converter call; a longer text takes several calls.
constexpr std::size_t ConversionChunkBytes = 16384;

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

// The converter's name for a charset. UTF-16 and UTF-32 without a byte order are
// big-endian (RFC 2781); the converter would otherwise read a byte-order mark.
std::string ConverterName(std::string_view charset)
{
    const std::string lower = LowerAscii(charset);
    if (lower == "utf-16") {
        return "UTF-16BE";
    }
    if (lower == "utf-32") {
        return "UTF-32BE";
    }
    return std::string(charset);
}

// Only printable ASCII without "/" names a charset; the converter reads "/" as options.
bool IsPlainName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(),
                                        [](char c) { return c > ' ' && c < 0x7F && c != '/'; });
}

void AppendUtf16Le(std::u16string& text, const char* bytes, std::size_t size)
{
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
}

std::optional<std::u16string> Convert(const std::string& converterName, std::string_view bytes)
{
    const iconv_t converter = iconv_open("UTF-16LE", converterName.c_str());
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the converter's documented failure value
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::u16string text;
    text.reserve(bytes.size());
    char buffer[ConversionChunkBytes];
    char* input = const_cast<char*>(bytes.data());
    std::size_t inputLeft = bytes.size();
    while (inputLeft > 0) {
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &input, &inputLeft, &output, &outputLeft);
        AppendUtf16Le(text, buffer, static_cast<std::size_t>(output - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that starts no valid sequence, or a sequence cut off at the end.
            text.push_back(u'\uFFFD');
            ++input;
            --inputLeft;
        }
    }
    iconv_close(converter);
    return text;
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
    const std::string_view name = TrimBlanks(charset);
    if (LowerAscii(name) == "utf-8") {
        return Utf8ToUtf16(bytes);
    }
    if (IsPlainName(name)) {
        if (std::optional<std::u16string> text = Convert(ConverterName(name), bytes)) {
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
