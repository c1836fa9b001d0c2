#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace crawl::http {

// The time of a cookie's "Expires" attribute, read by the lenient date algorithm of
// RFC 6265 section 5.1.1 (any order of tokens, two-digit years, delimiters of every kind).
// Nothing when the text holds no valid date; such an attribute is ignored.
std::optional<std::chrono::sys_seconds> ParseCookieDate(std::u16string_view text);

} // namespace crawl::http
