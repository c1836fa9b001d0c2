#include "tools/simulator/SimulatorOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace simulator {
namespace {

TEST(SimulatorOptionsTest, ReadsEveryOptionAndKeepsDefaultsForTheRest)
{
    const SimulatorOptions defaults = ParseSimulatorOptions({});
    EXPECT_EQ(defaults.port, 8443);
    EXPECT_FALSE(defaults.plain);

    const SimulatorOptions options = ParseSimulatorOptions(
        {"--port", "9001", "--seed", "18446744073709551615", "--fault-rate", "0.5", "--plain"});
    EXPECT_EQ(options.port, 9001);
    EXPECT_EQ(options.seed, 18446744073709551615ULL);
    EXPECT_DOUBLE_EQ(options.faultRate, 0.5);
    EXPECT_TRUE(options.plain);
    EXPECT_EQ(ParseSimulatorOptions({"--port", "0"}).port, 0);
}

struct BadArguments {
    const char* name;
    std::vector<std::string> arguments;
    const char* message;
};

class SimulatorOptionsRejectTest : public testing::TestWithParam<BadArguments> {};

TEST_P(SimulatorOptionsRejectTest, NamesTheOffendingArgument)
{
    try {
        ParseSimulatorOptions(GetParam().arguments);
        ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimulatorOptionsRejectTest,
    testing::Values(BadArguments{"UnknownOption", {"--tls"}, "unknown option: --tls"},
                    BadArguments{"MissingValue", {"--seed"}, "--seed: value missing"},
                    BadArguments{"PortWithLetters", {"--port", "80a"}, "--port: not a number: 80a"},
                    BadArguments{"PortTooLarge",
                                 {"--port", "65536"},
                                 "--port: not a port from 0 to 65535: 65536"},
                    BadArguments{"NegativeSeed", {"--seed", "-1"}, "--seed: not a number: -1"},
                    BadArguments{"RateAboveOne",
                                 {"--fault-rate", "1.5"},
                                 "--fault-rate: not a share from 0 to 1: 1.5"},
                    BadArguments{"RateNotANumber",
                                 {"--fault-rate", "nan"},
                                 "--fault-rate: not a share from 0 to 1: nan"}),
    [](const testing::TestParamInfo<BadArguments>& param) { return param.param.name; });

} // namespace
} // namespace simulator
