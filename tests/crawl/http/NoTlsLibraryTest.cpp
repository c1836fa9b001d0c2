#include "ClientTestSupport.h"

#include "crawl/http/DynamicLibrary.h"
#include "crawl/http/TlsLibrary.h"

#include <gtest/gtest.h>

// A program of its own: once loaded, the TLS library stays loaded for the process.
namespace crawl::http::testing {
namespace {

TEST(NoTlsLibrary, HttpsFailsAndHttpStillWorks)
{
    SetTlsLibraryNames("libssl-not-installed.so.3", "libcrypto-not-installed.so.3");
    EXPECT_FALSE(TlsLibraryAvailable());

    RegistryServer server(Tls::Off);
    server.SetHandler([](const auto&) { return ScriptedAnswer::Json("[\"plain\"]"); });
    HttpClient client;
    Prepare(client);
    const std::string hostAndPort = server.HostAndPort();
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(PostAndCatch(client, Utf16("https://" + hostAndPort + "/api/sro/list"),
                               EmptyObjectBody),
                  Fails("Could not load SSL library."));
        EXPECT_EQ(
            PostAndCatch(client, Utf16("http://" + hostAndPort + "/api/sro/list"), EmptyObjectBody),
            Succeeds("[\"plain\"]"));
    }
    // The https attempts connected before the library was needed, but sent no request.
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(NoTlsLibrary, LibraryWithoutTheEntryPointsCountsAsMissing)
{
    // The crypto part loads but has none of the SSL entry points, like a library of another
    // generation under the expected name.
    const std::string crypto = PlatformTlsLibraryFiles().crypto;
    SetTlsLibraryNames(crypto, crypto);
    EXPECT_FALSE(TlsLibraryAvailable());
}

} // namespace
} // namespace crawl::http::testing
