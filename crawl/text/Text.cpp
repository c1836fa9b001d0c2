#include "crawl/text/Text.h"

namespace crawl {

std::u16string Trim(std::u16string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] <= u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] <= u' ') {
        --end;
    }
    return std::u16string(text.substr(begin, end - begin));
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to)
{
    if (from.empty()) {
        return std::u16string(text);
    }
    std::u16string result;
    result.reserve(text.size());
    std::size_t position = 0;
    for (;;) {
        const std::size_t found = text.find(from, position);
        if (found == std::u16string_view::npos) {
            break;
        }
        result.append(text.substr(position, found - position));
        result.append(to);
        position = found + from.size();
    }
    result.append(text.substr(position));
    return result;
}

bool Contains(std::u16string_view text, std::u16string_view part)
{
    return text.find(part) != std::u16string_view::npos;
}

std::u16string IntToText(std::int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    const std::size_t size = bytes.size();
    while (i < size) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t lowest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, lowest = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid || code < lowest || code > 0x10FFFF) {
            text.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (code < 0x80) {
            bytes.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return bytes;
}

std::u16string Latin1ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text.push_back(static_cast<unsigned char>(byte));
    }
    return text;
}

std::vector<std::u16string> SplitLines(std::u16string_view text)
{
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

} // namespace crawl
