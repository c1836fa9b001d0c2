#include "bench/crawl/RequestLoops.h"

#include "bench/crawl/BenchRegistry.h"
#include "crawl/text/Text.h"

#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::u16string PageBody(int page)
{
    return u"{\"filters\":{},\"page\":" + crawl::IntToText(page) +
           u",\"pageCount\":\"20\",\"sortBy\":{}}";
}

struct ContextFree {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
using ContextPointer = std::unique_ptr<SSL_CTX, ContextFree>;

ContextPointer MakeClientContext()
{
    ContextPointer context(SSL_CTX_new(TLS_client_method()));
    if (!context || SSL_CTX_set_min_proto_version(context.get(), TLS1_2_VERSION) != 1 ||
        SSL_CTX_set_max_proto_version(context.get(), TLS1_2_VERSION) != 1) {
        throw std::runtime_error("TLS client context");
    }
    SSL_CTX_set_verify(context.get(), SSL_VERIFY_NONE, nullptr);
    return context;
}

void Handshake(SSL_CTX* context, const sockaddr_in& address)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0 ||
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (socket >= 0) {
            ::close(socket);
        }
        throw std::runtime_error("connect to the registry server");
    }
    SSL* connection = SSL_new(context);
    const bool shaken = connection != nullptr && SSL_set_fd(connection, socket) == 1 &&
                        SSL_set_tlsext_host_name(connection, "127.0.0.1") == 1 &&
                        SSL_connect(connection) == 1;
    SSL_free(connection);
    ::close(socket);
    if (!shaken) {
        throw std::runtime_error("TLS handshake with the registry server");
    }
}

} // namespace

double BareRequestLoop(crawl::http::HttpClient& http, const std::string& baseUrl,
                       std::size_t members)
{
    const std::u16string base = crawl::Utf8ToUtf16(baseUrl);
    const std::u16string listUrl =
        base + crawl::Utf8ToUtf16(testsupport::FakeRegistry::MemberListPath(BenchSroId));
    // The first member info request of a run stores this charset for every later request.
    http.SetContentType(u"application/json;charset=UTF-8");
    const std::vector<std::u16string> emptyObject{u"{}"};
    std::exception_ptr failure;
    const auto start = Clock::now();
    std::thread requests([&] {
        try {
            const int pages = PageCount(members);
            for (int page = 1; page <= pages; ++page) {
                http.Post(listUrl, {PageBody(page)});
                const std::size_t first = static_cast<std::size_t>(page - 1) * MembersPerPage;
                const std::size_t end = std::min(members, first + MembersPerPage);
                for (std::size_t member = first; member < end; ++member) {
                    http.Post(base + crawl::Utf8ToUtf16(testsupport::FakeRegistry::MemberInfoPath(
                                         BenchMemberId(member))),
                              emptyObject);
                }
            }
        } catch (...) {
            failure = std::current_exception();
        }
    });
    requests.join();
    const double seconds = SecondsSince(start);
    if (failure) {
        std::rethrow_exception(failure);
    }
    return seconds;
}

double RawTlsHandshakes(int port, std::size_t count, TlsContext context)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const ContextPointer shared = context == TlsContext::Shared ? MakeClientContext() : nullptr;
    const auto start = Clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        if (shared) {
            Handshake(shared.get(), address);
        } else {
            Handshake(MakeClientContext().get(), address);
        }
    }
    return SecondsSince(start);
}

} // namespace bench
