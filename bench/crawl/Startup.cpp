// Start-up of the program: from the process start to the window shown and urls.txt loaded,
// seen from outside as the moment the program closes urls.txt after reading it (inotify).
// The baseline is a bare Qt window that reads the same file when shown.
//
// Usage: startup_bench [repetitions=9]
#include "bench/crawl/Figures.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int LoadTimeoutMilliseconds = 20000;
constexpr char LinkListName[] = "urls.txt";

// A folder of its own with a copy of `program` and a link list of a few links.
fs::path PrepareFolder(const fs::path& root, const fs::path& program)
{
    const fs::path folder = root / program.filename();
    fs::create_directories(folder);
    fs::copy_file(program, folder / program.filename(), fs::copy_options::overwrite_existing);
    std::ofstream links(folder / LinkListName, std::ios::binary);
    for (int sro = 1; sro <= 5; ++sro) {
        links << "https://registry.example.org/sro/" << sro << "/member/list\r\n";
    }
    return folder;
}

// Starts the program in `folder`, waits until it has read urls.txt and returns the milliseconds
// from the start; then ends it.
double StartUntilLinksLoaded(const fs::path& folder, const std::string& name)
{
    const int watch = ::inotify_init1(IN_CLOEXEC);
    if (watch < 0 || ::inotify_add_watch(watch, folder.c_str(), IN_CLOSE_NOWRITE) < 0) {
        throw std::runtime_error("inotify on " + folder.string());
    }
    const std::string path = (folder / name).string();
    char* const arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t child = -1;
    const auto start = std::chrono::steady_clock::now();
    if (::posix_spawn(&child, path.c_str(), nullptr, nullptr, arguments, environ) != 0) {
        throw std::runtime_error("cannot start " + path);
    }
    double loaded = -1;
    alignas(inotify_event) char buffer[4096];
    while (loaded < 0) {
        pollfd entry{watch, POLLIN, 0};
        if (::poll(&entry, 1, LoadTimeoutMilliseconds) <= 0) {
            break;
        }
        const ssize_t length = ::read(watch, buffer, sizeof buffer);
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->len > 0 && std::string(event->name) == LinkListName) {
                loaded = std::chrono::duration<double, std::milli>(
                             std::chrono::steady_clock::now() - start)
                             .count();
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(watch);
    if (loaded < 0) {
        throw std::runtime_error(name + " did not read urls.txt");
    }
    return loaded;
}

} // namespace

int main(int argc, char** argv)
{
    const long repetitions = bench::ArgumentOr(argc, argv, 1, 9);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char pattern[] = "/tmp/startup-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path root = pattern;
    const fs::path program = SRO_PARSER_PROGRAM;
    const fs::path baseline = STARTUP_BASELINE_PROGRAM;
    const fs::path programFolder = PrepareFolder(root, program);
    const fs::path baselineFolder = PrepareFolder(root, baseline);

    std::printf("start-up to window shown and urls.txt loaded, %ld repetitions\n", repetitions);
    std::vector<double> programTimes;
    std::vector<double> baselineTimes;
    for (long repetition = 0; repetition < repetitions; ++repetition) {
        programTimes.push_back(StartUntilLinksLoaded(programFolder, program.filename()));
        baselineTimes.push_back(StartUntilLinksLoaded(baselineFolder, baseline.filename()));
    }
    bench::PrintSamples("sro-parser", programTimes, "ms");
    bench::PrintSamples("bare Qt window", baselineTimes, "ms");
    bench::PrintFigure("start-up of sro-parser", bench::Median(programTimes), "ms",
                       "bare Qt window", bench::Median(baselineTimes), "< 300 ms");
    fs::remove_all(root);
    return 0;
}
