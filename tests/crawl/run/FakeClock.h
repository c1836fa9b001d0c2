#pragma once

#include "crawl/run/PagePacer.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace crawl::runtest {

// A tick count that moves only when the run sleeps, so waits cost no real time and every
// sleep is on record.
class FakeClock {
public:
    explicit FakeClock(std::uint32_t start) : now_(start) {}

    // The clock functions for the run; they refer to this object.
    RunClock Clock();

    std::uint32_t Now() const;
    std::vector<std::uint32_t> Sleeps() const;
    // Runs on the sleeping thread once each sleep is on record, with its number (from 1).
    void SetOnSleep(std::function<void(std::size_t sleepNumber)> onSleep);

private:
    void Sleep(std::uint32_t milliseconds);

    mutable std::mutex mutex_;
    std::uint32_t now_;
    std::vector<std::uint32_t> sleeps_;
    std::function<void(std::size_t)> onSleep_;
};

} // namespace crawl::runtest
