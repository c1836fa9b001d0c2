#include "tools/simulator/SimulatorOptions.h"

#include <charconv>
#include <stdexcept>
#include <system_error>

namespace simulator {
namespace {

template <typename Number>
Number ParseNumber(const std::string& option, const std::string& text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        throw std::invalid_argument(option + ": not a number: " + text);
    }
    return value;
}

} // namespace

const char* const SimulatorUsage =
    "usage: registry-simulator [--port N] [--seed S] [--fault-rate R] [--plain]\n"
    "  --port N        port on 127.0.0.1, 0 for any free one (default 8443)\n"
    "  --seed S        data set, the same for the same seed (default 1)\n"
    "  --fault-rate R  share 0..1 of member pages and infos that fail first (default 0.03)\n"
    "  --plain         plain HTTP instead of TLS, for a look with curl (the program needs TLS)\n";

SimulatorOptions ParseSimulatorOptions(const std::vector<std::string>& arguments)
{
    SimulatorOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--plain") {
            options.plain = true;
            continue;
        }
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option != "--port" && option != "--seed" && option != "--fault-rate") {
            throw std::invalid_argument("unknown option: " + option);
        }
        if (i + 1 == arguments.size()) {
            throw std::invalid_argument(option + ": value missing");
        }
        const std::string& value = arguments[++i];
        if (option == "--port") {
            options.port = ParseNumber<int>(option, value);
            if (options.port < 0 || options.port > 65535) {
                throw std::invalid_argument(option + ": not a port from 0 to 65535: " + value);
            }
        } else if (option == "--seed") {
            options.seed = ParseNumber<std::uint64_t>(option, value);
        } else {
            options.faultRate = ParseNumber<double>(option, value);
            if (!(options.faultRate >= 0 && options.faultRate <= 1)) {
                throw std::invalid_argument(option + ": not a share from 0 to 1: " + value);
            }
        }
    }
    return options;
}

} // namespace simulator
