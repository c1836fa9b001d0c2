#pragma once

#include <filesystem>

namespace crawl::runtest {

// Makes `path` a regular file that opens but cannot be read, even for root (who ignores file
// modes): a link to this process's memory image, whose first page is never mapped.
inline void MakeUnreadableFile(const std::filesystem::path& path)
{
    std::filesystem::create_symlink("/proc/self/mem", path);
}

} // namespace crawl::runtest
