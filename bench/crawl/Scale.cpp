// A long run through the window on the offscreen platform at interval 0: memory, the cost of a
// log line at the end against the start, the UI thread's event latency and the saving of the
// log file. The registry is served from a child process, out of the measured memory.
//
// Usage: crawl_scale_bench [members=100000]
#include "bench/crawl/Figures.h"
#include "bench/crawl/LatencyProbe.h"
#include "bench/crawl/Memory.h"
#include "bench/crawl/ServerProcess.h"
#include "bench/crawl/TimedForm.h"
#include "bench/crawl/WindowRun.h"
#include "ui/qt/Application.h"

#include <QGuiApplication>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr double Megabyte = 1024.0 * 1024.0;
constexpr std::chrono::milliseconds ProbePeriod(10);
constexpr std::chrono::milliseconds IdleProbeTime(2000);

struct MemorySample {
    std::int32_t members;
    double residentMegabytes;
    double heapMegabytes;    // handed out by the allocator
    double logTextMegabytes; // the log view's text, UTF-16
};

double Milliseconds(double seconds)
{
    return seconds * 1000;
}

// The median of the first and of the last `count` samples.
std::pair<double, double> EarlyAndLate(const std::vector<double>& samples, std::size_t count)
{
    count = std::min(count, samples.size() / 2);
    const auto begin = samples.begin();
    return {bench::Median({begin, begin + static_cast<std::ptrdiff_t>(count)}),
            bench::Median({samples.end() - static_cast<std::ptrdiff_t>(count), samples.end()})};
}

// Seconds to write `bytes` to a new file at `path` in one write: the floor of saving a log.
double PlainWriteSeconds(const QString& path, const QByteArray& bytes)
{
    const auto start = std::chrono::steady_clock::now();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    file.close();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Heap bytes a new, shown plain text field of `size` takes for the lines of `log`, appended one
// by one as the window appends them.
double BareLogViewHeapBytes(const QTextDocument& log, const QSize& size)
{
    QPlainTextEdit view;
    view.setLineWrapMode(QPlainTextEdit::NoWrap);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.resize(size);
    view.show();
    QCoreApplication::processEvents();
    const auto before = static_cast<double>(bench::HeapBytesInUse());
    for (QTextBlock block = log.begin(); block.isValid(); block = block.next()) {
        view.appendPlainText(block.text());
    }
    QCoreApplication::processEvents();
    return static_cast<double>(bench::HeapBytesInUse()) - before;
}

} // namespace

int main(int argc, char** argv)
{
    const auto members = static_cast<std::int32_t>(bench::ArgumentOr(argc, argv, 1, 100000));
    const std::int32_t sampleEvery = std::clamp(members / 5, 1000, 10000);
    bench::ServerProcess server(static_cast<std::size_t>(members));

    bench::UseOffscreenPlatform();
    ui::Application application(argc, argv, QStringLiteral("Парсер"));
    const QTemporaryDir folder;
    bench::TimedWindow form(bench::BenchFormSettings(folder.path() + QLatin1Char('/'),
                                                   QString::fromStdString(server.HostAndPort())));
    form.show();
    bench::LatencyProbe probe(ProbePeriod);
    probe.Start();
    bench::ServeEventsFor(IdleProbeTime);
    probe.Stop();
    const std::vector<double> idleLateness = probe.Lateness();

    const double residentBefore = bench::ResidentBytes() / Megabyte;
    std::vector<MemorySample> memory;
    const auto runStart = std::chrono::steady_clock::now();
    form.Timed().SetOnStagesProgress([&](std::int32_t position) {
        if (position > 0 && position % sampleEvery == 0) {
            memory.push_back({position, bench::ResidentBytes() / Megabyte,
                              bench::HeapBytesInUse() / Megabyte,
                              form.LogsMemo->document()->characterCount() * 2 / Megabyte});
            std::fprintf(
                stderr, "  %d members after %.0f s\n", position,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count());
        }
    });
    std::printf("crawl scale: %d members through the window on the %s platform, one run\n", members,
                qPrintable(QGuiApplication::platformName()));
    probe.Start();
    const double runSeconds =
        bench::RunFromWindow(form, QString::fromStdString(server.SroLink()), 0);
    probe.Stop();
    const std::vector<double> runLateness = probe.Lateness();
    const double peakResident = bench::PeakResidentBytes() / Megabyte;

    bench::PrintValue("run wall time", runSeconds, "s");
    bench::PrintValue("members per second", members / runSeconds, "members/s");
    std::printf("  %-10s %10s %10s %18s\n", "members", "RSS MB", "heap MB", "log view text MB");
    for (const MemorySample& sample : memory) {
        std::printf("  %-10d %10.1f %10.1f %18.1f\n", sample.members, sample.residentMegabytes,
                    sample.heapMegabytes, sample.logTextMegabytes);
    }
    bench::PrintFigure("peak RSS", peakResident, "MB", "RSS before the run", residentBefore);
    if (memory.size() >= 2) {
        // From the first sample on, so that start-up allocations do not count.
        const MemorySample& first = memory.front();
        const MemorySample& last = memory.back();
        const double intervals = (last.members - first.members) / 10000.0;
        const auto growth = [&](double MemorySample::*field) {
            return (last.*field - first.*field) / intervals;
        };
        bench::PrintFigure("RSS growth per 10,000 members",
                           growth(&MemorySample::residentMegabytes), "MB", "log view text growth",
                           growth(&MemorySample::logTextMegabytes));
        // The log view alone, given the same lines outside any run: what it costs by itself.
        const QTextDocument& log = *form.LogsMemo->document();
        const double linesPer10000 = log.blockCount() * 10000.0 / last.members;
        const double bareViewPerLine = BareLogViewHeapBytes(log, form.LogsMemo->size()) /
                                       static_cast<double>(log.blockCount());
        bench::PrintFigure("heap growth per 10,000 members", growth(&MemorySample::heapMegabytes),
                           "MB", "bare QPlainTextEdit, same lines",
                           bareViewPerLine * linesPer10000 / Megabyte);
    }

    const bench::TimedForm::Timings& timings = form.Timed().CallTimings();
    constexpr std::size_t appendWindow = 2000;
    const auto [earlyAppend, lateAppend] = EarlyAndLate(timings.addLogLine, appendWindow);
    bench::PrintFigure("log line appended at the end, median", lateAppend * 1e6, "us",
                       "at the start of the run", earlyAppend * 1e6, "<= 1.5");
    bench::PrintFigure("UI event lateness during the run, p99",
                       bench::Percentile(runLateness, 0.99), "ms", "idle window, p99",
                       bench::Percentile(idleLateness, 0.99), "< 50 ms");
    bench::PrintValue("UI event lateness during the run, median", bench::Median(runLateness), "ms");
    bench::PrintValue("UI event lateness during the run, largest",
                      bench::Percentile(runLateness, 1.0), "ms");

    const QStringList logs = QDir(folder.path()).entryList({QStringLiteral("log-*.txt")});
    if (!timings.busyStateEnd.empty() && !logs.isEmpty()) {
        QFile log(folder.path() + QLatin1Char('/') + logs.front());
        log.open(QIODevice::ReadOnly);
        const QByteArray bytes = log.readAll();
        bench::PrintValue("log file size", bytes.size() / Megabyte, "MB");
        bench::PrintFigure(
            "end of run: end line and log file saved", Milliseconds(timings.busyStateEnd.front()),
            "ms", "one write of the same bytes",
            Milliseconds(PlainWriteSeconds(folder.path() + QStringLiteral("/plain.txt"), bytes)));
    }
    return 0;
}
