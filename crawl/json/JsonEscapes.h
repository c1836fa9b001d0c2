#pragma once

#include "crawl/json/JsonScan.h"

#include <string>

// Backslash escapes, which texts, names and bare words share: \b \t \n \f \r, \u and four
// hexadecimal digits (one UTF-16 code unit, unchecked), \x and two (codes 0 to 255), and a
// backslash before any other character for that character.
namespace crawl::json {

// The first of `stops` in [begin, end) that no backslash escapes; each backslash takes the
// character after it along. Gives end when no stop follows, and null when the input ends
// right after a backslash. `escaped` tells whether the run before the stop holds a backslash.
template <typename... Stops>
const char16_t* FindUnescaped(const char16_t* begin, const char16_t* end, bool& escaped,
                              Stops... stops) noexcept
{
    escaped = false;
    for (;;) {
        begin = FindFirstOf(begin, end, u'\\', stops...);
        if (begin == end || *begin != u'\\') {
            return begin;
        }
        escaped = true;
        if (end - begin < 2) {
            return nullptr;
        }
        begin += 2;
    }
}

// Appends [begin, end) to `out` with its escapes decoded; false for an escape that cannot be
// completed (a backslash at the end, \u or \x without all of its hexadecimal digits).
bool AppendDecoded(const char16_t* begin, const char16_t* end, std::u16string& out);

} // namespace crawl::json
