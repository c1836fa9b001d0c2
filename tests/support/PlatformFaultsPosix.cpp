#include "tests/support/PlatformFaults.h"

#include "crawl/platform/SystemError.h"

#include <cerrno>

namespace testsupport {

std::u16string MissingFileText()
{
    return crawl::SystemErrorText(ENOENT);
}

std::u16string MissingFolderText()
{
    return crawl::SystemErrorText(ENOENT);
}

UnreadableFile::UnreadableFile(std::filesystem::path path) : path_(std::move(path))
{
    std::filesystem::create_symlink("/proc/self/mem", path_);
}

UnreadableFile::~UnreadableFile()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

bool RunningUnderWine()
{
    return false;
}

} // namespace testsupport
