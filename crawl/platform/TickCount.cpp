#include "crawl/platform/TickCount.h"

#include "crawl/text/Text.h"

#include <ctime>

namespace crawl {

std::uint32_t GetTickCount()
{
    // CLOCK_BOOTTIME keeps counting while the machine sleeps, as the system tick count does.
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
    return static_cast<std::uint32_t>(milliseconds);
}

std::u16string TickCountText(std::uint32_t tickCount)
{
    return IntToText(static_cast<std::int32_t>(tickCount));
}

} // namespace crawl
