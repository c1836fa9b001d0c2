#include "crawl/http/TlsLibrary.h"

#include "crawl/Error.h"
#include "crawl/http/DynamicLibrary.h"
#include "crawl/http/TlsFunctions.h"

#include <mutex>
#include <optional>

namespace crawl::http {
namespace {

struct Loader {
    std::mutex mutex;
    TlsLibraryFiles files = PlatformTlsLibraryFiles();
    std::optional<TlsFunctions> functions; // set once, never reset: the library stays loaded
};

Loader& TheLoader()
{
    static Loader loader;
    return loader;
}

template <typename Function>
bool Resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(DynamicLibrarySymbol(library, name));
    return function != nullptr;
}

// The SSL part under the first of its names that is found.
void* OpenSslPart(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        if (void* library = OpenDynamicLibrary(name)) {
            return library;
        }
    }
    return nullptr;
}

std::optional<TlsFunctions> Load(const TlsLibraryFiles& files)
{
    // The handles of a complete load are never closed: its functions stay in use for the life
    // of the program.
    void* crypto = OpenDynamicLibrary(files.crypto);
    if (crypto == nullptr) {
        return std::nullopt;
    }
    void* ssl = OpenSslPart(files.ssl);
    if (ssl == nullptr) {
        CloseDynamicLibrary(crypto);
        return std::nullopt;
    }
    TlsFunctions f{};
    const bool complete =
        Resolve(ssl, "TLS_client_method", f.TLS_client_method) &&
        Resolve(ssl, "SSL_CTX_new", f.SSL_CTX_new) &&
        Resolve(ssl, "SSL_CTX_free", f.SSL_CTX_free) &&
        Resolve(ssl, "SSL_CTX_ctrl", f.SSL_CTX_ctrl) &&
        Resolve(ssl, "SSL_CTX_set_verify", f.SSL_CTX_set_verify) &&
        Resolve(ssl, "SSL_new", f.SSL_new) && Resolve(ssl, "SSL_free", f.SSL_free) &&
        Resolve(ssl, "SSL_set_fd", f.SSL_set_fd) && Resolve(ssl, "SSL_ctrl", f.SSL_ctrl) &&
        Resolve(ssl, "SSL_connect", f.SSL_connect) && Resolve(ssl, "SSL_read", f.SSL_read) &&
        Resolve(ssl, "SSL_write", f.SSL_write) && Resolve(ssl, "SSL_get_error", f.SSL_get_error) &&
        Resolve(ssl, "SSL_pending", f.SSL_pending) &&
        Resolve(crypto, "ERR_get_error", f.ERR_get_error) &&
        Resolve(crypto, "ERR_peek_error", f.ERR_peek_error) &&
        Resolve(crypto, "ERR_error_string_n", f.ERR_error_string_n) &&
        Resolve(crypto, "ERR_clear_error", f.ERR_clear_error);
    if (!complete) {
        CloseDynamicLibrary(ssl);
        CloseDynamicLibrary(crypto);
        return std::nullopt;
    }
    return f;
}

const TlsFunctions* TryLoad()
{
    Loader& loader = TheLoader();
    const std::lock_guard lock(loader.mutex);
    if (!loader.functions) {
        loader.functions = Load(loader.files);
    }
    return loader.functions ? &*loader.functions : nullptr;
}

} // namespace

void SetTlsLibraryNames(std::string sslLibrary, std::string cryptoLibrary)
{
    Loader& loader = TheLoader();
    const std::lock_guard lock(loader.mutex);
    if (!loader.functions) {
        loader.files = {std::move(cryptoLibrary), {std::move(sslLibrary)}};
    }
}

bool TlsLibraryAvailable()
{
    return TryLoad() != nullptr;
}

const TlsFunctions& LoadedTlsFunctions()
{
    const TlsFunctions* functions = TryLoad();
    if (functions == nullptr) {
        throw Error(u"Could not load SSL library.");
    }
    return *functions;
}

} // namespace crawl::http
