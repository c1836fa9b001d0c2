#include "crawl/platform/ProgramFolder.h"
#include "crawl/platform/ProgramFolderChoice.h"

#include "crawl/text/Text.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace crawl {
namespace {

constexpr char ApplicationFolderName[] = "sro-parser";

std::u16string UserDataHome()
{
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome == '/') {
        return Utf8ToUtf16(dataHome);
    }
    const char* home = std::getenv("HOME");
    return Utf8ToUtf16(std::string(home && *home ? home : "/tmp") + "/.local/share");
}

bool LiesUnder(const std::u16string& folder, std::u16string prefix)
{
    if (prefix.empty() || prefix.back() != u'/') {
        prefix += u'/';
    }
    return folder.starts_with(prefix);
}

} // namespace

std::u16string ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return Utf8ToUtf16(std::filesystem::current_path().string() + "/");
    }
    return Utf8ToUtf16(executable.parent_path().string() + "/");
}

std::u16string ChooseProgramFolder(const std::u16string& executableFolder,
                                   const std::u16string& dataHome,
                                   const std::u16string& installPrefix)
{
    if (!LiesUnder(executableFolder, installPrefix) &&
        ::access(Utf16ToUtf8(executableFolder).c_str(), W_OK) == 0) {
        return executableFolder;
    }
    std::u16string folder = dataHome;
    if (folder.empty() || folder.back() != u'/') {
        folder += u'/';
    }
    folder += Utf8ToUtf16(ApplicationFolderName) + u"/";
    std::error_code ignored; // a folder that cannot be made shows up as the first failed file
    std::filesystem::create_directories(Utf16ToUtf8(folder), ignored);
    return folder;
}

std::u16string ProgramFolder()
{
    static const std::u16string folder =
        ChooseProgramFolder(ExecutableFolder(), UserDataHome(), Utf8ToUtf16(SRO_INSTALL_PREFIX));
    return folder;
}

} // namespace crawl
