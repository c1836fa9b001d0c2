#include "crawl/run/PagePacer.h"

#include "FakeClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace crawl {
namespace {

TEST(RoundHalfToEven, RoundsHalvesToTheEvenNeighbour)
{
    struct Case {
        double value;
        std::int32_t expected;
    };
    const Case cases[] = {{0.5, 0},
                          {1.5, 2},
                          {2.5, 2},
                          {2.4999, 2},
                          {2.5001, 3},
                          {-0.5, 0},
                          {-1.5, -2},
                          {-2.5, -2},
                          {1.0, 1},
                          {0.0, 0},
                          {1e12, std::numeric_limits<std::int32_t>::max()},
                          {std::nan(""), 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfToEven(c.value), c.expected) << c.value;
    }
}

TEST(PagePacer, EveryTenthPageRequestOfTheRunGetsTheLongDelay)
{
    runtest::FakeClock clock(0);
    const RunClock functions = clock.Clock();
    PagePacer pacer(functions);
    for (int request = 1; request <= 25; ++request) {
        const std::int64_t expected = request % 10 == 0 ? 3000 : 2000;
        EXPECT_EQ(pacer.NextDelay(2.0), expected) << "page request " << request;
    }
    EXPECT_EQ(pacer.NextDelay(0.5), 0); // rounds to 0
    EXPECT_EQ(pacer.NextDelay(-1), -1000);
}

TEST(PagePacer, WaitsTheRestOfTheDelayFromTheEndOfThePreviousPageRequestInPollsOf100Ms)
{
    struct Case {
        const char* name;
        std::uint32_t start;      // tick count when the previous page request ended
        std::uint32_t busyBefore; // time spent between that end and the wait (members)
        std::int64_t delay;
        std::vector<std::uint32_t> expectedSleeps;
    };
    const std::vector<std::uint32_t> tenPolls(10, 100);
    const std::vector<std::uint32_t> fifteenPolls(15, 100);
    const Case cases[] = {
        {"whole delay", 5000, 0, 1000, tenPolls},
        {"member requests count towards it", 5000, 450, 1000, {100, 100, 100, 100, 100, 50}},
        {"rest below one poll", 5000, 963, 1000, {37}},
        {"already past", 5000, 2000, 1000, {}},
        {"across the wrap of the tick count", 0xFFFFFF00U, 0, 1500, fifteenPolls},
        {"zero delay", 5000, 0, 0, {}},
    };
    for (const Case& c : cases) {
        runtest::FakeClock clock(c.start);
        const RunClock functions = clock.Clock();
        PagePacer pacer(functions);
        pacer.PageRequestEnded();
        if (c.busyBefore > 0) {
            functions.sleep(c.busyBefore);
        }
        const std::vector<std::uint32_t> before = clock.Sleeps();
        pacer.Wait(c.delay, [] { return false; });
        const std::vector<std::uint32_t> sleeps = clock.Sleeps();
        EXPECT_EQ(std::vector<std::uint32_t>(sleeps.begin() + before.size(), sleeps.end()),
                  c.expectedSleeps)
            << c.name;
    }
}

TEST(PagePacer, FirstWaitOfARunCountsFromTickZero)
{
    struct Case {
        std::uint32_t now;
        std::size_t expectedPolls;
    };
    for (const Case c : {Case{300, 7}, Case{1000, 0}, Case{90000, 0}}) {
        runtest::FakeClock clock(c.now);
        const RunClock functions = clock.Clock();
        const PagePacer pacer(functions);
        pacer.Wait(1000, [] { return false; });
        EXPECT_EQ(clock.Sleeps().size(), c.expectedPolls) << c.now;
    }
}

TEST(PagePacer, StopRequestEndsTheWaitAtTheNextPoll)
{
    runtest::FakeClock clock(5000);
    const RunClock functions = clock.Clock();
    PagePacer pacer(functions);
    pacer.PageRequestEnded();
    bool stop = false;
    clock.SetOnSleep([&](std::size_t number) { stop = number == 3; });
    pacer.Wait(10000, [&] { return stop; });
    EXPECT_EQ(clock.Sleeps().size(), 3U);
}

} // namespace
} // namespace crawl
