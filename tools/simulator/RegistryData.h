#pragma once

#include "tests/support/FakeRegistry.h"

#include <cstdint>
#include <string>
#include <vector>

// The registry that the simulator serves, generated from a seed: the same seed gives the same
// registry byte for byte. The data looks like the real registry's, quirks included: names
// with &quot;, &laquo;/&raquo; and raw «», several phones in one field separated by commas or
// <br>, extensions after "доб.", dates with and without a time, addresses with empty parts and
// nulls, a city left empty in favour of the locality.
namespace simulator {

struct SimulatedSro {
    std::string id{};
    std::string fullDescription{}; // the members' sro.full_description
    std::vector<testsupport::FakeMember> members{};
};

// The SRO id of the window's default link, which the registry always holds.
inline constexpr const char* DefaultSroId = "322";

// A few dozen SROs in ascending id order, a few thousand members in all; member ids are unique
// across the registry.
std::vector<SimulatedSro> GenerateRegistry(std::uint64_t seed);

} // namespace simulator
