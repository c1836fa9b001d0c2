#include "crawl/run/PagePacer.h"

#include <algorithm>
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
    while (!stopRequested()) {
        // Unsigned subtraction gives the elapsed time modulo 2^32 across a wrap of the tick count.
        const std::int64_t elapsed{clock_.tickCount() - lastPageTick_};
        if (elapsed >= delay) {
            return;
        }
        // The last poll sleeps only the rest of the delay: whole polls would overshoot it by 50 ms
        // on average, some 5% of a run at an interval of 1 s.
        clock_.sleep(
            static_cast<std::uint32_t>(std::min<std::int64_t>(delay - elapsed, PollMilliseconds)));
    }
}

} // namespace crawl
