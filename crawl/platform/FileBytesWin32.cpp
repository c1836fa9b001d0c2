#include "crawl/platform/FileBytes.h"

#include "crawl/platform/SystemError.h"
#include "crawl/platform/WideFile.h"

#include <windows.h>

#include <algorithm>

namespace crawl {

bool IsRegularFile(const std::u16string& path)
{
    const DWORD attributes = ::GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadFileBytes(const std::u16string& path)
{
    const WideFile file(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file.Valid()) {
        throw FileError(u"open", path, LastSystemError());
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
            throw FileError(u"open", path, LastSystemError());
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

void WriteFileBytes(const std::u16string& path, std::string_view bytes)
{
    WideFile file(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    if (!file.Valid()) {
        throw FileError(u"create", path, LastSystemError());
    }
    while (!bytes.empty()) {
        DWORD put = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        if (!::WriteFile(file.Get(), bytes.data(), size, &put, nullptr)) {
            throw FileError(u"write", path, LastSystemError());
        }
        bytes.remove_prefix(put);
    }
    if (!file.Close()) {
        throw FileError(u"write", path, LastSystemError());
    }
}

} // namespace crawl
