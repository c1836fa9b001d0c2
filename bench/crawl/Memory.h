#pragma once

#include <cstddef>

// Memory of this process: from /proc/self/status and from the C library's allocator.
namespace bench {

// Resident set size now, in bytes.
std::size_t ResidentBytes();
// The highest resident set size so far, in bytes.
std::size_t PeakResidentBytes();
// Bytes the allocator has handed out and not had back, over all its arenas: unlike the resident
// set it falls again when memory is freed.
std::size_t HeapBytesInUse();

} // namespace bench
