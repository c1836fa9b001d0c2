#pragma once

#include <string>

// The TLS library (OpenSSL 3), loaded at run time on first use and kept loaded: libcrypto.so.3
// and libssl.so.3 on Linux; on Windows libeay32.dll and ssleay32.dll (or libssl32.dll when
// there is no ssleay32.dll) from the program's folder.
namespace crawl::http {

// The file names the loader opens; changeable only before the first load (tests use it to
// stand for a machine without the library).
void SetTlsLibraryNames(std::string sslLibrary, std::string cryptoLibrary);

// Loads the library if that has not happened yet; false when it cannot be loaded.
bool TlsLibraryAvailable();

} // namespace crawl::http
