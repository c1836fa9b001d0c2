#pragma once

#include <cstdint>
#include <optional>

namespace ui {

// The system's ANSI code page; none where the platform has no such thing.
std::optional<std::uint32_t> SystemAnsiCodePage();

} // namespace ui
