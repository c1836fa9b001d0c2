#include "crawl/http/DynamicLibrary.h"

#include "crawl/platform/ProgramFolder.h"
#include "crawl/text/Text.h"

#include <windows.h>

namespace crawl::http {

void* OpenDynamicLibrary(const std::string& fileName)
{
    const std::u16string path = ProgramFolder() + Utf8ToUtf16(fileName);
    // LOAD_WITH_ALTERED_SEARCH_PATH: the DLLs this one imports are looked for in its own
    // folder first, so ssleay32.dll finds the libeay32.dll beside it.
    return ::LoadLibraryExW(reinterpret_cast<const wchar_t*>(path.c_str()), nullptr,
                            LOAD_WITH_ALTERED_SEARCH_PATH);
}

void* DynamicLibrarySymbol(void* library, const char* name)
{
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseDynamicLibrary(void* library)
{
    ::FreeLibrary(static_cast<HMODULE>(library));
}

TlsLibraryFiles PlatformTlsLibraryFiles()
{
    return {"libeay32.dll", {"ssleay32.dll", "libssl32.dll"}};
}

} // namespace crawl::http
