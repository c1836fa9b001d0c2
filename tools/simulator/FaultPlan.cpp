#include "tools/simulator/FaultPlan.h"

#include "tools/simulator/RegistryTexts.h"
#include "tools/simulator/SplitMix64.h"

#include "tests/support/FakeRegistry.h"

#include <algorithm>

namespace simulator {
namespace {

using testsupport::FakeRegistry;
using testsupport::Misbehaviour;
using testsupport::ScriptedAnswer;

// Kept apart from the data's generator, so that the fault rate does not change the data.
constexpr std::uint64_t FaultStream = 0xFA017ULL;

constexpr std::size_t MembersPerPage = 20; // the registry's page size for members

ScriptedAnswer FailedAnswer(SplitMix64& random)
{
    if (random.Chance(0.6)) {
        return ScriptedAnswer::Json("{\"message\":\"Server Error\"}", 500, "Internal Server Error");
    }
    return ScriptedAnswer{.misbehaviour = Misbehaviour::CloseBeforeStatusLine};
}

void MaybeFail(SplitMix64& random, double rate, std::string path, std::optional<int> page,
               std::vector<PlannedFault>& plan)
{
    if (!random.Chance(rate)) {
        return;
    }
    const std::size_t failures = 1 + Weighted(random, {80, 15, 5}); // 1 to MaxFailuresInRow
    PlannedFault& fault = plan.emplace_back(PlannedFault{std::move(path), page, {}});
    for (std::size_t i = 0; i < failures; ++i) {
        fault.answers.push_back(FailedAnswer(random));
    }
}

} // namespace

std::vector<PlannedFault> PlanFaults(const std::vector<SimulatedSro>& sros, std::uint64_t seed,
                                     double rate)
{
    SplitMix64 random(seed ^ FaultStream);
    std::vector<PlannedFault> plan;
    for (const SimulatedSro& sro : sros) {
        // An empty SRO still answers page 1, which the crawl always asks for.
        const std::size_t pages =
            std::max<std::size_t>(1, (sro.members.size() + MembersPerPage - 1) / MembersPerPage);
        for (std::size_t page = 1; page <= pages; ++page) {
            // Page 2 of the window's default link always fails first, so that a first run
            // shows the retry rule however low the rate.
            const bool shown = sro.id == DefaultSroId && page == 2 && rate > 0;
            MaybeFail(random, shown ? 1.0 : rate, FakeRegistry::MemberListPath(sro.id),
                      static_cast<int>(page), plan);
        }
        for (const testsupport::FakeMember& member : sro.members) {
            MaybeFail(random, rate, FakeRegistry::MemberInfoPath(member.id), std::nullopt, plan);
        }
    }
    return plan;
}

} // namespace simulator
