#pragma once

#include <string>

// The TLS library (OpenSSL 3), loaded at run time on first use and kept loaded.
namespace crawl::http {

// The file names the loader opens; changeable only before the first load (tests use it to
// stand for a machine without the library).
void SetTlsLibraryNames(std::string sslLibrary, std::string cryptoLibrary);

// Loads the library if that has not happened yet; false when it cannot be loaded.
bool TlsLibraryAvailable();

} // namespace crawl::http
