#include "FakeClock.h"

namespace crawl::runtest {

RunClock FakeClock::Clock()
{
    return RunClock{.tickCount = [this] { return Now(); },
                    .sleep = [this](std::uint32_t milliseconds) { Sleep(milliseconds); }};
}

std::uint32_t FakeClock::Now() const
{
    std::lock_guard lock(mutex_);
    return now_;
}

std::vector<std::uint32_t> FakeClock::Sleeps() const
{
    std::lock_guard lock(mutex_);
    return sleeps_;
}

void FakeClock::SetOnSleep(std::function<void(std::size_t)> onSleep)
{
    std::lock_guard lock(mutex_);
    onSleep_ = std::move(onSleep);
}

void FakeClock::Sleep(std::uint32_t milliseconds)
{
    std::function<void(std::size_t)> onSleep;
    std::size_t number = 0;
    {
        std::lock_guard lock(mutex_);
        sleeps_.push_back(milliseconds);
        now_ += milliseconds; // wraps like the system tick count
        number = sleeps_.size();
        onSleep = onSleep_;
    }
    if (onSleep) {
        onSleep(number);
    }
}

} // namespace crawl::runtest
