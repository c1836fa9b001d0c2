#include "crawl/http/DynamicLibrary.h"

#include <dlfcn.h>

namespace crawl::http {

void* OpenDynamicLibrary(const std::string& fileName)
{
    return ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* DynamicLibrarySymbol(void* library, const char* name)
{
    return ::dlsym(library, name);
}

void CloseDynamicLibrary(void* library)
{
    ::dlclose(library);
}

TlsLibraryFiles PlatformTlsLibraryFiles()
{
    return {"libcrypto.so.3", {"libssl.so.3"}};
}

} // namespace crawl::http
