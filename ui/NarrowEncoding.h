#pragma once

#include "crawl/text/TextFile.h"

#include <cstdint>
#include <optional>

namespace ui {

// The encoding of the program's own text files where no byte-order mark says otherwise: the
// system's ANSI code page where it is Windows Cyrillic; UTF-8 without a mark on a platform
// without an ANSI code page, and for any other code page.
crawl::TextEncoding NarrowEncoding(std::optional<std::uint32_t> ansiCodePage);

} // namespace ui
