#include "crawl/platform/CodePage1251.h"

#include <array>
#include <cstdint>

namespace crawl {
namespace {

constexpr char16_t Unassigned = u'\uFFFD';

// The characters of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> UpperBytes = {
    u'\u0402',  u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021', // 80
    u'\u20AC',  u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F', // 88
    u'\u0452',  u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014', // 90
    Unassigned, u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F', // 98
    u'\u00A0',  u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7', // A0
    u'\u0401',  u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407', // A8
    u'\u00B0',  u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7', // B0
    u'\u0451',  u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457', // B8
};

constexpr char16_t FirstCyrillicLetter = u'\u0410'; // А, byte 0xC0
constexpr char16_t LastCyrillicLetter = u'\u044F';  // я, byte 0xFF

// Base letters of U+00C0 to U+00FF; 0 where no letter is an obvious stand-in (Æ, ×, ß, ...).
constexpr std::array<char, 64> LatinBaseLetters = {
    'A', 'A', 'A', 'A', 'A', 'A', 0,   'C', 'E', 'E', 'E', 'E', 'I', 'I', 'I', 'I', // C0
    'D', 'N', 'O', 'O', 'O', 'O', 'O', 0,   'O', 'U', 'U', 'U', 'U', 'Y', 0,   0,   // D0
    'a', 'a', 'a', 'a', 'a', 'a', 0,   'c', 'e', 'e', 'e', 'e', 'i', 'i', 'i', 'i', // E0
    'd', 'n', 'o', 'o', 'o', 'o', 'o', 0,   'o', 'u', 'u', 'u', 'u', 'y', 0,   'y', // F0
};

// Byte of a character the code page has, or 0 when it lacks it.
char ByteOf(char16_t character)
{
    if (character >= FirstCyrillicLetter && character <= LastCyrillicLetter) {
        return static_cast<char>(0xC0 + (character - FirstCyrillicLetter));
    }
    for (std::size_t i = 0; i < UpperBytes.size(); ++i) {
        if (UpperBytes[i] == character && character != Unassigned) {
            return static_cast<char>(0x80 + i);
        }
    }
    if (character >= 0xC0 && character <= 0xFF) {
        return LatinBaseLetters[character - 0xC0];
    }
    return 0;
}

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string ToCodePage1251(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t character = text[i];
        if (character < 0x80) {
            bytes.push_back(static_cast<char>(character));
            continue;
        }
        const char byte = ByteOf(character);
        bytes.push_back(byte != 0 ? byte : '?');
        if (IsHighSurrogate(character) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        }
    }
    return bytes;
}

std::u16string FromCodePage1251(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<std::uint8_t>(byte);
        if (code < 0x80) {
            text.push_back(code);
        } else if (code < 0xC0) {
            text.push_back(UpperBytes[code - 0x80]);
        } else {
            text.push_back(static_cast<char16_t>(FirstCyrillicLetter + (code - 0xC0)));
        }
    }
    return text;
}

} // namespace crawl
