#pragma once

#include <cstdint>
#include <functional>

namespace crawl {

// The time source of a run: the system tick count and sleeping (tests pass a fake clock).
struct RunClock {
    std::function<std::uint32_t()> tickCount;
    std::function<void(std::uint32_t milliseconds)> sleep;
};

// The nearest whole number, halves to even, held within the 32-bit range of the interval
// field; not-a-number reads as 0.
std::int32_t RoundHalfToEven(double value);

// Keeps page requests of one run apart: every 10th page request of the run, counted over all
// links, waits 1.5 times the interval, the others the interval itself, measured from the end
// of the previous page request.
class PagePacer {
public:
    explicit PagePacer(const RunClock& clock) : clock_(clock) {}

    // The delay in milliseconds before the next page request; counts that request.
    std::int64_t NextDelay(double intervalSeconds);

    // Sleeps in polls of at most 100 ms while `stopRequested` is false and less than `delay` has
    // passed since the end of the previous page request (tick counts wrap at 2^32); the last poll
    // sleeps just the rest of the delay.
    void Wait(std::int64_t delay, const std::function<bool()>& stopRequested) const;

    // Takes the tick count at the end of a page request, successful or not.
    void PageRequestEnded() { lastPageTick_ = clock_.tickCount(); }

private:
    static constexpr int LongDelayEvery = 10;
    static constexpr std::int64_t ShortDelayPerSecond = 1000;
    static constexpr std::int64_t LongDelayPerSecond = 1500;
    // A stop during the wait takes effect within one poll.
    static constexpr std::uint32_t PollMilliseconds = 100;

    const RunClock& clock_;
    int pageRequests_ = 0; // since the last long delay
    std::uint32_t lastPageTick_ = 0;
};

} // namespace crawl
