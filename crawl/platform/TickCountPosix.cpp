#include "crawl/platform/TickCount.h"

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

} // namespace crawl
