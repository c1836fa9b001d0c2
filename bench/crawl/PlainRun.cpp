#include "bench/crawl/PlainRun.h"

#include "crawl/platform/TickCount.h"
#include "crawl/run/TScraper.h"
#include "tests/crawl/run/LoopDispatcher.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace bench {
namespace {

// Shows nothing; the run's reads get one link, interval 0 and every member kept.
class SilentWindow : public crawl::ScraperWindow {
public:
    explicit SilentWindow(std::u16string link) : link_(std::move(link)) {}

    void UpdateBusyState(bool) override {}
    void AddLogLine(std::u16string_view) override {}
    void UpdateProgressBar(std::int32_t, std::int32_t) override {}
    void UpdateStagesProgressBar(std::int32_t, std::int32_t) override {}
    std::int32_t LinkLineCount() override { return 1; }
    std::u16string LinkLine(std::int32_t) override { return link_; }
    double IntervalSeconds() override { return 0; }
    bool MobilesOnly() override { return false; }

private:
    std::u16string link_;
};

constexpr std::chrono::minutes RunLimit(30);

} // namespace

double PlainDispatcherRun(crawl::http::HttpClient& http, const std::u16string& registryHost,
                          const std::u16string& programFolder, const std::u16string& link)
{
    crawl::runtest::LoopDispatcher dispatcher;
    SilentWindow window(link);
    const auto worker = crawl::TScraper::Create({
        .http = http,
        .dispatcher = dispatcher,
        .window = window,
        .registryHost = registryHost,
        .programFolder = programFolder,
        .clock = {crawl::GetTickCount,
                  [](std::uint32_t milliseconds) {
                      std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
                  }},
        .openFile = [](const std::u16string&) {},
    });
    const auto start = std::chrono::steady_clock::now();
    worker->Start();
    if (!worker->WaitUntilFinished(RunLimit)) {
        throw std::runtime_error("the run did not end");
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace bench
