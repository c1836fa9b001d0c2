#include "crawl/platform/ProgramFolder.h"

#include "crawl/text/Text.h"

#include <filesystem>

namespace crawl {

std::u16string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return Utf8ToUtf16(std::filesystem::current_path().string() + "/");
    }
    return Utf8ToUtf16(executable.parent_path().string() + "/");
}

} // namespace crawl
