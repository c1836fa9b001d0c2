#pragma once

#include <string>
#include <vector>

// Loading a shared library at run time; each platform in a file of its own.
namespace crawl::http {

// Linux: through the system's library search. Windows: by its full path in the program's
// folder only, so that no DLL of that name planted elsewhere on the search path is picked up.
// Null when the library cannot be loaded.
void* OpenDynamicLibrary(const std::string& fileName);
void* DynamicLibrarySymbol(void* library, const char* name);
void CloseDynamicLibrary(void* library);

// The file names of the TLS library: its crypto part, and the names of its SSL part in the
// order they are tried (a later name only when no file of the earlier one is found).
struct TlsLibraryFiles {
    std::string crypto;
    std::vector<std::string> ssl;
};
TlsLibraryFiles PlatformTlsLibraryFiles();

} // namespace crawl::http
