#include "bench/crawl/HandOver.h"

#include "tests/crawl/run/LoopDispatcher.h"
#include "ui/qt/QtUiDispatcher.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QObject>

#include <chrono>
#include <thread>

namespace bench {
namespace {

void HandOvers(crawl::UiDispatcher& dispatcher, std::size_t count)
{
    const std::function<void()> nothing = [] {};
    for (std::size_t i = 0; i < count; ++i) {
        dispatcher.Invoke(nothing);
    }
}

} // namespace

double WindowHandOvers(std::size_t count)
{
    QObject target;
    ui::QtUiDispatcher dispatcher(&target);
    QEventLoop loop;
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] {
        HandOvers(dispatcher, count);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double PlainHandOvers(std::size_t count)
{
    crawl::runtest::LoopDispatcher dispatcher;
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] { HandOvers(dispatcher, count); });
    worker.join();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace bench
