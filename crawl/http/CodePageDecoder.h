#pragma once

#include <optional>
#include <string>
#include <string_view>

// Decoding bytes of a Windows code page; each platform has its own converter behind this.
namespace crawl::http {

// The bytes decoded in the given Windows code page; a byte that starts no valid sequence,
// and a sequence cut off at the end, each become U+FFFD. A byte-order mark is kept as a
// character. Nothing when this platform cannot convert that code page.
std::optional<std::u16string> DecodeCodePage(unsigned codePage, std::string_view bytes);

} // namespace crawl::http
