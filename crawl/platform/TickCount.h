#pragma once

#include <cstdint>
#include <string>

namespace crawl {

// Milliseconds since the system started, as an unsigned 32-bit count that wraps after
// about 49.7 days.
std::uint32_t GetTickCount();

// The tick count as file names carry it: a signed 32-bit decimal number, so after about
// 24.9 days of uptime it reads as negative.
std::u16string TickCountText(std::uint32_t tickCount);

} // namespace crawl
