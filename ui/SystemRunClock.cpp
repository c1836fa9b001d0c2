#include "ui/SystemRunClock.h"

#include "crawl/platform/TickCount.h"

#include <chrono>
#include <thread>

namespace ui {

crawl::RunClock SystemRunClock()
{
    return {crawl::GetTickCount, [](std::uint32_t milliseconds) {
                std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            }};
}

} // namespace ui
