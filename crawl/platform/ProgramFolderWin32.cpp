#include "crawl/platform/ProgramFolder.h"

#include <windows.h>

#include <vector>

namespace crawl {

std::u16string ExecutableFolder()
{
    // The path may exceed MAX_PATH: grow the buffer until the whole path fits.
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            const std::u16string file(reinterpret_cast<const char16_t*>(path.data()), length);
            return file.substr(0, file.find_last_of(u"\\/") + 1);
        }
        path.resize(path.size() * 2);
    }
}

std::u16string ProgramFolder()
{
    static const std::u16string folder = ExecutableFolder();
    return folder;
}

} // namespace crawl
