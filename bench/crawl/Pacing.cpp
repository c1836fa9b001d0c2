// Pacing of a run's page requests on the real clock: the wall time of a run against the sum of
// the delays its rules impose, and the gaps between page requests as the server saw them
// arrive against the delay each must keep.
//
// Usage: crawl_pacing_bench [pages=30] [repetitions=3] [interval seconds=1]
#include "bench/crawl/BenchRegistry.h"
#include "bench/crawl/Figures.h"
#include "bench/crawl/WindowRun.h"
#include "crawl/platform/TickCount.h"
#include "ui/qt/Application.h"

#include <QGuiApplication>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace {

constexpr int LongDelayEvery = 10;

// The delay before page request `number` (from 1) of a run, in milliseconds.
double DelayBefore(int number, int intervalSeconds)
{
    return intervalSeconds * (number % LongDelayEvery == 0 ? 1500.0 : 1000.0);
}

// The sum of the delays of a run of `pages` page requests. The first one counts from tick 0, so
// it waits only while the tick count is below its delay.
double PacingFloorMilliseconds(int pages, int intervalSeconds, std::uint32_t tickAtStart)
{
    double floor = std::max(0.0, DelayBefore(1, intervalSeconds) - tickAtStart);
    for (int number = 2; number <= pages; ++number) {
        floor += DelayBefore(number, intervalSeconds);
    }
    return floor;
}

double Milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char** argv)
{
    const auto pages = static_cast<int>(bench::ArgumentOr(argc, argv, 1, 30));
    const long repetitions = bench::ArgumentOr(argc, argv, 2, 3);
    const auto interval = static_cast<int>(bench::ArgumentOr(argc, argv, 3, 1));
    const std::size_t members = static_cast<std::size_t>(pages) * bench::MembersPerPage;

    bench::UseOffscreenPlatform();
    ui::Application application(argc, argv, QStringLiteral("Парсер"));
    testsupport::FakeRegistry registry;
    bench::FillRegistry(registry, members);
    const QTemporaryDir folder;
    ui::MainWindow form(bench::BenchFormSettings(folder.path() + QLatin1Char('/'),
                                                 QString::fromStdString(registry.HostAndPort())));
    form.show();
    const QString link = QString::fromStdString(registry.SroLink(bench::BenchSroId));
    const std::string pagePath = testsupport::FakeRegistry::MemberListPath(bench::BenchSroId);

    std::printf("crawl pacing: %d pages of %d members at interval %d s, %ld repetitions, window "
                "on the %s platform\n",
                pages, bench::MembersPerPage, interval, repetitions,
                qPrintable(QGuiApplication::platformName()));
    std::vector<double> walls;
    std::vector<double> floors;
    std::vector<double> excesses; // each gap beyond its delay, ms
    double smallestSlack = std::numeric_limits<double>::infinity();
    double smallestSlackGap = 0;
    double smallestSlackDelay = 0;
    std::size_t seen = 0;
    for (long repetition = 0; repetition < repetitions; ++repetition) {
        const std::uint32_t tickAtStart = crawl::GetTickCount();
        walls.push_back(bench::RunFromWindow(form, link, interval) * 1000);
        floors.push_back(PacingFloorMilliseconds(pages, interval, tickAtStart));

        const std::vector<testsupport::RecordedRequest> requests = registry.Server().Requests();
        std::vector<std::chrono::steady_clock::time_point> arrivals;
        for (std::size_t i = seen; i < requests.size(); ++i) {
            if (requests[i].Path() == pagePath) {
                arrivals.push_back(requests[i].received);
            }
        }
        seen = requests.size();
        for (std::size_t k = 1; k < arrivals.size(); ++k) {
            const double gap = Milliseconds(arrivals[k] - arrivals[k - 1]);
            const double delay = DelayBefore(static_cast<int>(k) + 1, interval);
            excesses.push_back(gap - delay);
            if (gap - delay < smallestSlack) {
                smallestSlack = gap - delay;
                smallestSlackGap = gap;
                smallestSlackDelay = delay;
            }
        }
        std::printf("  repetition %ld: %zu page requests, wall %.1f ms, floor %.1f ms\n",
                    repetition + 1, arrivals.size(), walls.back(), floors.back());
    }
    bench::PrintSamples("wall time", walls, "ms");
    bench::PrintFigure("run wall time", bench::Median(walls), "ms", "pacing floor",
                       bench::Median(floors), "<= 1.02");
    bench::PrintFigure("smallest gap between page arrivals", smallestSlackGap, "ms",
                       "delay it had to keep", smallestSlackDelay, ">= 1.00");
    bench::PrintValue("gap beyond its delay, median", bench::Median(excesses), "ms");
    bench::PrintValue("gap beyond its delay, largest", bench::Percentile(excesses, 1.0), "ms");
    return 0;
}
