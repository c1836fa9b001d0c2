#pragma once

#include "crawl/text/TextFile.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// The name of the log file saved at `tickCount`: "log-" + the tick count as a signed 32-bit
// number + ".txt".
std::u16string LogFileName(std::uint32_t tickCount);

// Writes the log view's text (lines separated by "\n") to `path`, overwriting it, every line
// ended by CR LF, in `encoding` (no byte-order mark). crawl::Error when it cannot be written.
void WriteLogFile(const std::u16string& path, std::u16string_view logText,
                  crawl::TextEncoding encoding);

} // namespace ui
