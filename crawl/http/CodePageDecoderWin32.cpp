#include "crawl/http/CodePageDecoder.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace crawl::http {
namespace {

constexpr char16_t Replacement = u'\uFFFD';

// The longest byte sequence of one character in any code page (GB18030, UTF-8).
constexpr int LongestCharacter = 4;

unsigned Byte(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

// The code pages the system converts only without error reporting: stateful encodings whose
// conversion takes no flags.
bool TakesNoFlags(unsigned codePage)
{
    return codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
           (codePage >= 57002 && codePage <= 57011) || codePage == 65000;
}

// MultiByteToWideChar; nothing when the bytes hold an invalid or incomplete sequence.
std::optional<std::u16string> Convert(unsigned codePage, std::string_view bytes, DWORD flags)
{
    if (bytes.empty()) {
        return std::u16string();
    }
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                          length);
    return text;
}

// Character by character: the shortest run of bytes from each position that converts is one
// character; where none does, the byte becomes U+FFFD and the next byte is tried, as the
// converter of the other platforms does.
std::u16string ConvertWithReplacements(unsigned codePage, std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t used = 0;
        for (int length = 1; length <= LongestCharacter && at + length <= bytes.size(); ++length) {
            if (const auto character =
                    Convert(codePage, bytes.substr(at, length), MB_ERR_INVALID_CHARS)) {
                text += *character;
                used = static_cast<std::size_t>(length);
                break;
            }
        }
        if (used == 0) {
            text.push_back(Replacement);
            used = 1;
        }
        at += used;
    }
    return text;
}

// US-ASCII: a byte above 127 is no character of it.
std::u16string DecodeAscii(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        text.push_back(Byte(bytes, at) < 0x80 ? static_cast<char16_t>(Byte(bytes, at)) : Replacement);
    }
    return text;
}

// UTF-16 in the given byte order. A lone surrogate and a unit cut off at the end give U+FFFD
// and the decoding goes on one byte later, as on the other platforms.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    const auto unitAt = [&](std::size_t at) {
        return static_cast<char16_t>(bigEndian ? (Byte(bytes, at) << 8) | Byte(bytes, at + 1)
                                               : Byte(bytes, at) | (Byte(bytes, at + 1) << 8));
    };
    std::u16string text;
    text.reserve(bytes.size() / 2);
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (at + 2 > bytes.size()) {
            text.push_back(Replacement);
            ++at;
            continue;
        }
        const char16_t first = unitAt(at);
        if (first < 0xD800 || first > 0xDFFF) {
            text.push_back(first);
            at += 2;
            continue;
        }
        const bool paired = first < 0xDC00 && at + 4 <= bytes.size() &&
                            unitAt(at + 2) >= 0xDC00 && unitAt(at + 2) <= 0xDFFF;
        if (!paired) {
            text.push_back(Replacement);
            ++at;
            continue;
        }
        text.push_back(first);
        text.push_back(unitAt(at + 2));
        at += 4;
    }
    return text;
}

// UTF-32 in the given byte order; a value that is no character (a surrogate, above U+10FFFF)
// and a unit cut off at the end give U+FFFD and the decoding goes on one byte later.
std::u16string DecodeUtf32(std::string_view bytes, bool bigEndian)
{
    std::u16string text;
    text.reserve(bytes.size() / 4);
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (at + 4 > bytes.size()) {
            text.push_back(Replacement);
            ++at;
            continue;
        }
        char32_t code = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const unsigned shift = bigEndian ? 8 * (3 - k) : 8 * k;
            code |= static_cast<char32_t>(Byte(bytes, at + k)) << shift;
        }
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            text.push_back(Replacement);
            ++at;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
        at += 4;
    }
    return text;
}

} // namespace

std::optional<std::u16string> DecodeCodePage(unsigned codePage, std::string_view bytes)
{
    // MultiByteToWideChar has no UTF-16 and UTF-32 code pages and turns the high bytes of
    // US-ASCII into letters: these are decoded here.
    switch (codePage) {
    case 1200:
        return DecodeUtf16(bytes, false);
    case 1201:
        return DecodeUtf16(bytes, true);
    case 12000:
        return DecodeUtf32(bytes, false);
    case 12001:
        return DecodeUtf32(bytes, true);
    case 20127:
        return DecodeAscii(bytes);
    default:
        break;
    }
    if (!::IsValidCodePage(codePage)) {
        return std::nullopt;
    }
    if (TakesNoFlags(codePage)) {
        return Convert(codePage, bytes, 0);
    }
    if (auto text = Convert(codePage, bytes, MB_ERR_INVALID_CHARS)) {
        return text;
    }
    return ConvertWithReplacements(codePage, bytes);
}

} // namespace crawl::http
