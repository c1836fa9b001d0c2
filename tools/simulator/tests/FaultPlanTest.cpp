#include "tools/simulator/FaultPlan.h"

#include "tests/support/FakeRegistry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace simulator {
namespace {

using testsupport::FakeRegistry;
using testsupport::Misbehaviour;

using Target = std::pair<std::string, std::optional<int>>;

// Every request the crawl makes once per registry, other than the SRO list: each members page
// (page 1 of an empty SRO too) and each member info.
std::map<Target, int> CrawlTargets(const std::vector<SimulatedSro>& sros)
{
    std::map<Target, int> targets;
    for (const SimulatedSro& sro : sros) {
        const std::size_t pages = sro.members.empty() ? 1 : (sro.members.size() + 19) / 20;
        for (std::size_t page = 1; page <= pages; ++page) {
            targets[{FakeRegistry::MemberListPath(sro.id), static_cast<int>(page)}] = 0;
        }
        for (const testsupport::FakeMember& member : sro.members) {
            targets[{FakeRegistry::MemberInfoPath(member.id), std::nullopt}] = 0;
        }
    }
    return targets;
}

// The faults by target, checking on the way that each one is a crawl target, comes once, and
// fails fewer times in a row than the crawl retries.
std::map<Target, int> FaultsByTarget(const std::vector<SimulatedSro>& sros,
                                     const std::vector<PlannedFault>& plan)
{
    std::map<Target, int> targets = CrawlTargets(sros);
    std::map<Target, int> faulted;
    for (const PlannedFault& fault : plan) {
        const Target target{fault.path, fault.page};
        EXPECT_TRUE(targets.contains(target)) << fault.path;
        EXPECT_TRUE(faulted.emplace(target, 0).second) << "planned twice: " << fault.path;
        EXPECT_THAT(fault.answers.size(),
                    testing::AllOf(testing::Ge(1u), testing::Le(std::size_t{MaxFailuresInRow})));
        for (const testsupport::ScriptedAnswer& answer : fault.answers) {
            const bool serverError =
                answer.status == 500 && answer.misbehaviour == Misbehaviour::None;
            const bool dropped = answer.misbehaviour == Misbehaviour::CloseBeforeStatusLine;
            EXPECT_TRUE(serverError || dropped) << fault.path;
            ++faulted[target];
        }
    }
    return faulted;
}

class FaultPlanTest : public testing::Test {
protected:
    const std::vector<SimulatedSro> sros = GenerateRegistry(3);
};

TEST_F(FaultPlanTest, RateZeroPlansNothingRateOneFaultsEveryCrawlTargetOnce)
{
    EXPECT_TRUE(PlanFaults(sros, 3, 0).empty());
    EXPECT_EQ(FaultsByTarget(sros, PlanFaults(sros, 3, 1)).size(), CrawlTargets(sros).size());
}

TEST_F(FaultPlanTest, AnyRateAboveZeroFaultsPageTwoOfTheDefaultLink)
{
    const Target pageTwo{FakeRegistry::MemberListPath(DefaultSroId), 2};
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        EXPECT_TRUE(FaultsByTarget(sros, PlanFaults(sros, seed, 1e-9)).contains(pageTwo)) << seed;
    }
}

TEST_F(FaultPlanTest, SmallRateGivesAFewFaultsOfBothKindsTheSameForTheSameSeed)
{
    const std::vector<PlannedFault> plan = PlanFaults(sros, 3, 0.03);
    const std::map<Target, int> faulted = FaultsByTarget(sros, plan);
    const std::size_t targets = CrawlTargets(sros).size();
    EXPECT_GT(faulted.size(), targets / 100);
    EXPECT_LT(faulted.size(), targets / 10);

    int serverErrors = 0;
    int dropped = 0;
    int repeated = 0;
    for (const PlannedFault& fault : plan) {
        repeated += fault.answers.size() > 1;
        for (const testsupport::ScriptedAnswer& answer : fault.answers) {
            ++(answer.status == 500 ? serverErrors : dropped);
        }
    }
    EXPECT_GT(serverErrors, 0);
    EXPECT_GT(dropped, 0);
    EXPECT_GT(repeated, 0);

    EXPECT_EQ(FaultsByTarget(sros, PlanFaults(sros, 3, 0.03)), faulted);
    EXPECT_NE(FaultsByTarget(sros, PlanFaults(sros, 4, 0.03)), faulted);
}

} // namespace
} // namespace simulator
