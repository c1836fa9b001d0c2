#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The command line of the registry simulator.
namespace simulator {

struct SimulatorOptions {
    int port = 8443;
    std::uint64_t seed = 1;
    double faultRate = 0.03; // share of member pages and infos whose first requests fail
    bool plain = false;      // plain HTTP instead of TLS
    bool help = false;
};

// The options of `arguments` (without the program name). Throws std::invalid_argument with a
// message naming the offending argument.
SimulatorOptions ParseSimulatorOptions(const std::vector<std::string>& arguments);

extern const char* const SimulatorUsage;

} // namespace simulator
