#pragma once

#include <string>
#include <string_view>

// Windows Cyrillic (code page 1251): the encoding of the result file and of urls.txt.
namespace crawl {

// Every character the code page has becomes its byte. One it lacks becomes a substitute byte,
// never an error: the base letter for a Latin letter with an accent, otherwise "?". A valid
// surrogate pair counts as one character and gives one "?".
std::string ToCodePage1251(std::u16string_view text);

// Every byte becomes its character; the one unassigned byte (0x98) becomes U+FFFD.
std::u16string FromCodePage1251(std::string_view bytes);

} // namespace crawl
