#pragma once

#include "tools/simulator/RegistryData.h"

#include "tests/support/RegistryServer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Faults that the simulator injects so that the crawl's retry rule shows: a few member pages and
// member infos fail their first requests, with a 500 answer or a connection dropped before the
// status line. A fault never outlasts the retries (at most MaxFailuresInRow answers in a row), and
// the SRO list, which is not retried, never fails.
namespace simulator {

// Far below the crawl's 11 attempts per request.
inline constexpr int MaxFailuresInRow = 3;

struct PlannedFault {
    std::string path{};
    std::optional<int> page{}; // for a members page; none for a member info
    std::vector<testsupport::ScriptedAnswer> answers{};
};

// Each members page and member info of `sros` fails with the probability `rate` (0 to 1), and
// page 2 of the default SRO whenever the rate is above 0. The plan depends on the seed and the
// rate alone, not on the order of the requests.
std::vector<PlannedFault> PlanFaults(const std::vector<SimulatedSro>& sros, std::uint64_t seed,
                                     double rate);

} // namespace simulator
