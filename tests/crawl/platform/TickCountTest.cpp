#include "crawl/platform/TickCount.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace crawl {
namespace {

TEST(TickCountText, IsTheSignedThirtyTwoBitReading)
{
    EXPECT_EQ(TickCountText(0), u"0");
    EXPECT_EQ(TickCountText(2147483647U), u"2147483647");
    EXPECT_EQ(TickCountText(2147483648U), u"-2147483648");
    EXPECT_EQ(TickCountText(4294967295U), u"-1");
}

TEST(GetTickCount, AdvancesWithTime)
{
    const std::uint32_t first = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::uint32_t elapsed = GetTickCount() - first; // modulo 2^32, as the run computes it
    EXPECT_GE(elapsed, 19U);
    EXPECT_LT(elapsed, 10'000U);
}

} // namespace
} // namespace crawl
