// Throughput of a whole run at interval 0 against the bare requests it makes, and of those
// requests against bare TLS handshakes, all on one local TLS registry server.
//
// Usage: crawl_throughput_bench [members=2000] [repetitions=5]
#include "bench/crawl/BenchRegistry.h"
#include "bench/crawl/Figures.h"
#include "bench/crawl/HandOver.h"
#include "bench/crawl/PlainRun.h"
#include "bench/crawl/RequestLoops.h"
#include "bench/crawl/TimedForm.h"
#include "bench/crawl/WindowRun.h"
#include "ui/qt/Application.h"

#include <QGuiApplication>

#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <map>
#include <numeric>

namespace {

double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Measurement {
    const char* name;
    std::function<double()> seconds;
};

} // namespace

int main(int argc, char** argv)
{
    const auto members = static_cast<std::size_t>(bench::ArgumentOr(argc, argv, 1, 2000));
    const long repetitions = bench::ArgumentOr(argc, argv, 2, 5);
    const double requests = static_cast<double>(members + bench::PageCount(members));

    bench::UseOffscreenPlatform();
    ui::Application application(argc, argv, QStringLiteral("Парсер"));
    testsupport::FakeRegistry registry;
    bench::FillRegistry(registry, members);
    const QTemporaryDir folder;
    const QString programFolder = folder.path() + QLatin1Char('/');
    const QString host = QString::fromStdString(registry.HostAndPort());
    bench::TimedWindow form(bench::BenchFormSettings(programFolder, host));
    if (!qEnvironmentVariableIsSet("BENCH_HIDDEN"))
        form.show();
    const QString link = QString::fromStdString(registry.SroLink(bench::BenchSroId));

    // Microseconds per member that the UI thread spends in each hand-over operation.
    std::map<std::string, std::vector<double>> operationCost;
    std::printf("crawl throughput: %zu members, %.0f requests per run, %ld repetitions, window on "
                "the %s platform\n",
                members, requests, repetitions, qPrintable(QGuiApplication::platformName()));
    const Measurement measurements[] = {
        {"run through the window",
         [&] {
             form.Timed().ClearTimings();
             const double seconds = bench::RunFromWindow(form, link, 0);
             const bench::TimedForm::Timings& timings = form.Timed().CallTimings();
             const auto perMember = [&](const std::vector<double>& samples) {
                 return std::accumulate(samples.begin(), samples.end(), 0.0) * 1e6 /
                        static_cast<double>(members);
             };
             operationCost["AddLogLine"].push_back(perMember(timings.addLogLine));
             operationCost["UpdateProgressBar"].push_back(perMember(timings.updateProgressBar));
             operationCost["UpdateStagesProgressBar"].push_back(
                 perMember(timings.updateStagesProgressBar));
             return seconds;
         }},
        {"run with a plain dispatcher",
         [&] {
             return bench::PlainDispatcherRun(form.Form().IdHTTP1, host.toStdU16String(),
                                              programFolder.toStdU16String(),
                                              link.toStdU16String());
         }},
        {"bare request loop",
         [&] {
             return bench::BareRequestLoop(form.Form().IdHTTP1, registry.Server().BaseUrl(), members);
         }},
        {"raw handshakes, context per connection",
         [&] {
             return bench::RawTlsHandshakes(registry.Server().Port(),
                                            static_cast<std::size_t>(requests),
                                            bench::TlsContext::PerConnection);
         }},
        {"raw handshakes, shared context",
         [&] {
             return bench::RawTlsHandshakes(registry.Server().Port(),
                                            static_cast<std::size_t>(requests),
                                            bench::TlsContext::Shared);
         }},
    };
    constexpr std::size_t count = std::size(measurements);
    std::map<std::string, std::vector<double>> rates;
    // The process's processor time per request, server included: steadier than wall time on a
    // shared machine, and it shows what the window adds.
    std::map<std::string, std::vector<double>> cpuPerRequest;
    for (long repetition = 0; repetition < repetitions; ++repetition) {
        // A different order each time, so that no measurement always follows the same one.
        for (std::size_t i = 0; i < count; ++i) {
            const Measurement& measurement = measurements[(i + repetition) % count];
            const double cpuBefore = ProcessCpuSeconds();
            rates[measurement.name].push_back(requests / measurement.seconds());
            cpuPerRequest[measurement.name].push_back((ProcessCpuSeconds() - cpuBefore) * 1e6 /
                                                      requests);
        }
    }
    for (const Measurement& measurement : measurements) {
        bench::PrintSamples(measurement.name, rates[measurement.name], "requests/s");
    }
    std::vector<double> windowHandOver;
    std::vector<double> plainHandOver;
    constexpr std::size_t handOvers = 20000;
    for (long repetition = 0; repetition < repetitions; ++repetition) {
        windowHandOver.push_back(bench::WindowHandOvers(handOvers) * 1e6 / handOvers);
        plainHandOver.push_back(bench::PlainHandOvers(handOvers) * 1e6 / handOvers);
    }
    bench::PrintFigure("hand-over round trip, window dispatcher", bench::Median(windowHandOver),
                       "us", "plain loop thread", bench::Median(plainHandOver));
    for (const auto& [operation, costs] : operationCost) {
        bench::PrintValue("window: " + operation + " per member", bench::Median(costs), "us");
    }
    for (const Measurement& measurement : measurements) {
        bench::PrintFigure(std::string("CPU per request: ") + measurement.name,
                           bench::Median(cpuPerRequest[measurement.name]), "us",
                           "bare request loop", bench::Median(cpuPerRequest["bare request loop"]));
    }
    const auto median = [&](const char* name) { return bench::Median(rates[name]); };
    bench::PrintFigure("run through the window", median("run through the window"), "req/s",
                       "bare request loop", median("bare request loop"), ">= 0.90");
    bench::PrintFigure("run with a plain dispatcher", median("run with a plain dispatcher"),
                       "req/s", "bare request loop", median("bare request loop"));
    bench::PrintFigure("bare request loop", median("bare request loop"), "req/s",
                       "raw handshakes, ctx/connection",
                       median("raw handshakes, context per connection"));
    bench::PrintFigure("raw handshakes, ctx/connection",
                       median("raw handshakes, context per connection"), "req/s",
                       "raw handshakes, shared ctx", median("raw handshakes, shared context"));
    return 0;
}
