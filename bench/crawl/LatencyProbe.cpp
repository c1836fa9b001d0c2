#include "bench/crawl/LatencyProbe.h"

#include <QEventLoop>

namespace bench {

LatencyProbe::LatencyProbe(std::chrono::milliseconds period) : period_(period)
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Fired(); });
}

void LatencyProbe::Start()
{
    lateness_.clear();
    armed_ = std::chrono::steady_clock::now();
    timer_.start(period_);
}

void LatencyProbe::Stop()
{
    timer_.stop();
}

void LatencyProbe::Fired()
{
    const auto now = std::chrono::steady_clock::now();
    lateness_.push_back(std::chrono::duration<double, std::milli>(now - armed_ - period_).count());
    armed_ = now;
    timer_.start(period_);
}

void ServeEventsFor(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace bench
