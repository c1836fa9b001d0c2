#pragma once

#include <cstddef>

// Memory of this process, from /proc/self/status.
namespace bench {

// Resident set size now, in bytes.
std::size_t ResidentBytes();
// The highest resident set size so far, in bytes.
std::size_t PeakResidentBytes();

} // namespace bench
