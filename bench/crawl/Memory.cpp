#include "bench/crawl/Memory.h"

#include <malloc.h>

#include <fstream>
#include <string>

namespace bench {
namespace {

// The value of a "<name>:   <n> kB" line, in bytes; 0 when there is none.
std::size_t StatusKilobytes(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size() + 1, name + ":") == 0) {
            return std::stoul(line.substr(name.size() + 1)) * 1024;
        }
    }
    return 0;
}

} // namespace

std::size_t ResidentBytes()
{
    return StatusKilobytes("VmRSS");
}

std::size_t PeakResidentBytes()
{
    return StatusKilobytes("VmHWM");
}

std::size_t HeapBytesInUse()
{
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace bench
