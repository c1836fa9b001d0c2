#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small text helpers shared by the whole core. Text inside the core is UTF-16.
namespace crawl {

// Removes every character of code 32 or below at both ends.
std::u16string Trim(std::u16string_view text);

// Replaces every occurrence of `from` (exact match, scanned once from left to right, the
// inserted text is not rescanned).
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to);

bool Contains(std::u16string_view text, std::u16string_view part);

// Decimal text of a signed number ("-" before negative values, no leading zeros).
std::u16string IntToText(std::int64_t value);

// UTF-8 <-> UTF-16 at the edges. Invalid UTF-8 sequences become U+FFFD; lone surrogates
// are written as their three-byte form so that nothing is dropped.
std::u16string Utf8ToUtf16(std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);

// Each byte becomes the character of the same code (ISO-8859-1).
std::u16string Latin1ToUtf16(std::string_view bytes);

// Lines of a text split at CR LF, CR or LF; a break at the very end adds no empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

} // namespace crawl
