#include "tests/support/PlatformFaults.h"

#include "crawl/platform/SystemError.h"

#include <windows.h>

#include <stdexcept>

namespace testsupport {

std::u16string MissingFileText()
{
    return crawl::SystemErrorText(ERROR_FILE_NOT_FOUND);
}

std::u16string MissingFolderText()
{
    return crawl::SystemErrorText(ERROR_PATH_NOT_FOUND);
}

UnreadableFile::UnreadableFile(std::filesystem::path path) : path_(std::move(path))
{
    // Share mode 0: no other open of the file succeeds while this handle lives.
    const HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot create the unreadable file");
    }
    holder_.reset(file, [](void* handle) { ::CloseHandle(handle); });
}

UnreadableFile::~UnreadableFile()
{
    holder_.reset();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

bool RunningUnderWine()
{
    // Wine's ntdll exports wine_get_version; Windows' own does not.
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace testsupport
