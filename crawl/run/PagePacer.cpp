#include "crawl/run/PagePacer.h"

#include <cmath>
#include <limits>

namespace crawl {

std::int32_t RoundHalfToEven(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below + 1;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0.0)) {
        rounded = below;
    }
    return static_cast<std::int32_t>(rounded);
}

std::int64_t PagePacer::NextDelay(double intervalSeconds)
{
    const std::int64_t seconds = RoundHalfToEven(intervalSeconds);
    ++pageRequests_;
    if (pageRequests_ == LongDelayEvery) {
        pageRequests_ = 0;
        return seconds * LongDelayPerSecond;
    }
    return seconds * ShortDelayPerSecond;
}

void PagePacer::Wait(std::int64_t delay, const std::function<bool()>& stopRequested) const
{
    // Unsigned subtraction gives the elapsed time modulo 2^32 across a wrap of the tick count.
    while (!stopRequested() && std::int64_t{clock_.tickCount() - lastPageTick_} < delay) {
        clock_.sleep(PollMilliseconds);
    }
}

} // namespace crawl
