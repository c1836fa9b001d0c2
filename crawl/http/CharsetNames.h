#pragma once

#include <optional>
#include <string_view>

// The registered charset names and their aliases, as the Windows code pages they stand for.
namespace crawl::http {

// The Windows code page of a registered charset name or alias, case ignored; nothing for
// any other name (such as "utf8" or "cp1251", which are converter names, not charset
// names) and for a registered charset that no Windows code page covers. UTF-16 and UTF-32
// without a byte order are big-endian (RFC 2781).
std::optional<unsigned> WindowsCodePageOfCharset(std::string_view name);

} // namespace crawl::http
