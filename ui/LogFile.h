#pragma once

#include <QString>

#include <cstdint>

namespace ui {

// The name of the log file saved at `tickCount`: "log-" + the tick count as a signed 32-bit
// number + ".txt".
QString LogFileName(std::uint32_t tickCount);

// Writes the log view's text (lines separated by "\n") to `path`, overwriting it: UTF-8
// without a byte-order mark, every line ended by CR LF. crawl::Error when it cannot be written.
void WriteLogFile(const QString& path, const QString& logText);

} // namespace ui
