#include "crawl/platform/TickCount.h"

#include "crawl/text/Text.h"

namespace crawl {

std::u16string TickCountText(std::uint32_t tickCount)
{
    return IntToText(static_cast<std::int32_t>(tickCount));
}

} // namespace crawl
