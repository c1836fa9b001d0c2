#include "crawl/http/CharsetDeclaration.h"

#include <algorithm>
#include <vector>

namespace crawl::http {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool EqualsIgnoringCase(std::string_view left, std::string_view right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view part, std::size_t from)
{
    const auto found = std::search(
        text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
        part.begin(), part.end(), [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    return found == text.end() ? std::string_view::npos
                               : static_cast<std::size_t>(found - text.begin());
}

void SkipSpaces(std::string_view text, std::size_t& position)
{
    while (position < text.size() && IsSpace(text[position])) {
        ++position;
    }
}

// A value after "=": quoted with ' or ", or up to a blank or one of `stops`.
std::string_view ReadValue(std::string_view text, std::size_t& position, std::string_view stops)
{
    if (position < text.size() && (text[position] == '"' || text[position] == '\'')) {
        const char quote = text[position++];
        const std::size_t end = std::min(text.find(quote, position), text.size());
        const std::string_view value = text.substr(position, end - position);
        position = std::min(end + 1, text.size());
        return value;
    }
    const std::size_t start = position;
    while (position < text.size() && !IsSpace(text[position]) &&
           stops.find(text[position]) == std::string_view::npos) {
        ++position;
    }
    return text.substr(start, position - start);
}

struct TagAttribute {
    std::string_view name;
    std::string_view value;
};

// The attributes of a tag, read from just after its name up to its ">".
std::vector<TagAttribute> ReadAttributes(std::string_view document, std::size_t& position)
{
    std::vector<TagAttribute> attributes;
    while (position < document.size()) {
        while (position < document.size() &&
               (IsSpace(document[position]) || document[position] == '/')) {
            ++position;
        }
        if (position >= document.size() || document[position] == '>') {
            break;
        }
        const std::size_t nameStart = position;
        while (position < document.size() && !IsSpace(document[position]) &&
               document[position] != '=' && document[position] != '>' &&
               document[position] != '/') {
            ++position;
        }
        TagAttribute attribute{document.substr(nameStart, position - nameStart), {}};
        SkipSpaces(document, position);
        if (position < document.size() && document[position] == '=') {
            ++position;
            SkipSpaces(document, position);
            attribute.value = ReadValue(document, position, ">");
        }
        attributes.push_back(attribute);
    }
    return attributes;
}

// The charset of a Content-Type value such as "text/html; charset=windows-1251".
std::optional<std::string> CharsetOfContent(std::string_view content)
{
    for (std::size_t at = FindIgnoringCase(content, "charset", 0); at != std::string_view::npos;
         at = FindIgnoringCase(content, "charset", at + 1)) {
        std::size_t position = at + 7;
        SkipSpaces(content, position);
        if (position >= content.size() || content[position] != '=') {
            continue;
        }
        ++position;
        SkipSpaces(content, position);
        const std::string_view value = ReadValue(content, position, ";");
        if (!value.empty()) {
            return std::string(value);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> HtmlMetaCharset(std::string_view document)
{
    for (std::size_t position = FindIgnoringCase(document, "<meta", 0);
         position != std::string_view::npos;
         position = FindIgnoringCase(document, "<meta", position)) {
        position += 5;
        if (position < document.size() && !IsSpace(document[position]) &&
            document[position] != '/' && document[position] != '>') {
            continue; // another element whose name begins with "meta"
        }
        const std::vector<TagAttribute> attributes = ReadAttributes(document, position);
        bool contentTypeEquivalent = false;
        std::optional<std::string_view> content;
        for (const TagAttribute& attribute : attributes) {
            if (EqualsIgnoringCase(attribute.name, "charset") && !attribute.value.empty()) {
                return std::string(attribute.value);
            }
            if (EqualsIgnoringCase(attribute.name, "http-equiv")) {
                contentTypeEquivalent = EqualsIgnoringCase(attribute.value, "content-type");
            } else if (EqualsIgnoringCase(attribute.name, "content")) {
                content = attribute.value;
            }
        }
        if (contentTypeEquivalent && content) {
            if (std::optional<std::string> charset = CharsetOfContent(*content)) {
                return charset;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> XmlDeclarationEncoding(std::string_view document)
{
    std::size_t position = 0;
    SkipSpaces(document, position);
    if (document.substr(position, 5) != "<?xml" || position + 5 >= document.size() ||
        !IsSpace(document[position + 5])) {
        return std::nullopt;
    }
    const std::size_t end = document.find("?>", position);
    const std::string_view declaration = document.substr(position, end - position);
    const std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    position = at + 8;
    SkipSpaces(declaration, position);
    if (position >= declaration.size() || declaration[position] != '=') {
        return std::nullopt;
    }
    ++position;
    SkipSpaces(declaration, position);
    const std::string_view value = ReadValue(declaration, position, "?");
    if (value.empty()) {
        return std::nullopt;
    }
    return std::string(value);
}

} // namespace crawl::http
