#pragma once

#include <string>
#include <vector>

// Figures of repeated measurements and their printing beside a baseline. The machine is shared
// and noisy, so every figure is a median of several repetitions and is read against a baseline
// measured in the same run.
namespace bench {

double Median(std::vector<double> samples);
// The value below which `fraction` (0..1) of the samples lie, nearest rank.
double Percentile(std::vector<double> samples, double fraction);

// One line: "<name>: <value> <unit>  baseline <baselineName> <baseline> <unit>  ratio <r>"
// followed by "  goal <goal>" when a goal is given.
void PrintFigure(const std::string& name, double value, const std::string& unit,
                 const std::string& baselineName, double baseline, const std::string& goal = {});
// One line of a figure that has no baseline of its own.
void PrintValue(const std::string& name, double value, const std::string& unit);
// The samples of one measurement, for the reader who wants to see the spread.
void PrintSamples(const std::string& name, const std::vector<double>& samples,
                  const std::string& unit);

// A count given as the program's argument `index`, or `fallback` without one.
long ArgumentOr(int argc, char** argv, int index, long fallback);

} // namespace bench
