#include "crawl/platform/OutputFile.h"

#include "crawl/platform/SystemError.h"

#include <windows.h>

#include <algorithm>

namespace crawl {
namespace {

HANDLE AsHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

void OutputFile::Create(const std::u16string& path)
{
    Close();
    path_ = path;
    // FILE_SHARE_READ only: other programs may read the file meanwhile, none may write it.
    const HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()),
                                      GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw FileError(u"create", path, LastSystemError());
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

void OutputFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        if (!::WriteFile(AsHandle(handle_), bytes.data(), size, &written, nullptr)) {
            throw FileError(u"write", path_, LastSystemError());
        }
        bytes.remove_prefix(written);
    }
}

void OutputFile::Close() noexcept
{
    if (handle_ != NoHandle) {
        ::CloseHandle(AsHandle(handle_));
        handle_ = NoHandle;
    }
}

} // namespace crawl
