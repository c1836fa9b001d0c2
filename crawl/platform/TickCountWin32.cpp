#include "crawl/platform/TickCount.h"

#include <windows.h>

namespace crawl {

std::uint32_t GetTickCount()
{
    return ::GetTickCount();
}

} // namespace crawl
