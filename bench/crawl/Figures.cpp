#include "bench/crawl/Figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace bench {

double Median(std::vector<double> samples)
{
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

double Percentile(std::vector<double> samples, double fraction)
{
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * samples.size()));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

void PrintFigure(const std::string& name, double value, const std::string& unit,
                 const std::string& baselineName, double baseline, const std::string& goal)
{
    std::printf("%-56s %12.3f %-8s baseline %-28s %12.3f %-8s ratio %7.3f", name.c_str(), value,
                unit.c_str(), baselineName.c_str(), baseline, unit.c_str(),
                baseline != 0 ? value / baseline : 0.0);
    if (!goal.empty()) {
        std::printf("  goal %s", goal.c_str());
    }
    std::printf("\n");
    std::fflush(stdout);
}

void PrintValue(const std::string& name, double value, const std::string& unit)
{
    std::printf("%-56s %12.3f %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

void PrintSamples(const std::string& name, const std::vector<double>& samples,
                  const std::string& unit)
{
    std::printf("  %s (%s):", name.c_str(), unit.c_str());
    for (const double sample : samples) {
        std::printf(" %.3f", sample);
    }
    std::printf("\n");
    std::fflush(stdout);
}

long ArgumentOr(int argc, char** argv, int index, long fallback)
{
    if (index >= argc) {
        return fallback;
    }
    char* end = nullptr;
    const long value = std::strtol(argv[index], &end, 10);
    if (end == argv[index] || *end != '\0' || value <= 0) {
        std::fprintf(stderr, "not a positive count: %s\n", argv[index]);
        std::exit(2);
    }
    return value;
}

} // namespace bench
