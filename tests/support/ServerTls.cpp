#include "tests/support/ServerTls.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include "tests/support/TestSockets.h"

#include <stdexcept>
#include <string>

namespace testsupport {
namespace {

// Validity of the generated certificate; the client never verifies it anyway.
constexpr long CertificateLifetimeSeconds = 24L * 60 * 60;

[[noreturn]] void ThrowTlsError(const std::string& what)
{
    char text[256] = {};
    ERR_error_string_n(ERR_get_error(), text, sizeof text);
    throw std::runtime_error("test server TLS: " + what + ": " + text);
}

struct KeyAndCertificate {
    EVP_PKEY* key = nullptr;
    X509* certificate = nullptr;

    ~KeyAndCertificate()
    {
        X509_free(certificate);
        EVP_PKEY_free(key);
    }
};

void MakeSelfSigned(KeyAndCertificate& made)
{
    made.key = EVP_EC_gen("P-256");
    if (made.key == nullptr) {
        ThrowTlsError("key generation failed");
    }
    made.certificate = X509_new();
    X509* certificate = made.certificate;
    X509_NAME* name = certificate == nullptr ? nullptr : X509_get_subject_name(certificate);
    const auto* commonName = reinterpret_cast<const unsigned char*>("127.0.0.1");
    if (name == nullptr || X509_set_version(certificate, 2) != 1 ||
        ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1) != 1 ||
        X509_gmtime_adj(X509_getm_notBefore(certificate), -3600) == nullptr ||
        X509_gmtime_adj(X509_getm_notAfter(certificate), CertificateLifetimeSeconds) == nullptr ||
        X509_set_pubkey(certificate, made.key) != 1 ||
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, commonName, -1, -1, 0) != 1 ||
        X509_set_issuer_name(certificate, name) != 1 ||
        X509_sign(certificate, made.key, EVP_sha256()) == 0) {
        ThrowTlsError("certificate creation failed");
    }
}

class TlsConnection : public ServerConnection {
public:
    TlsConnection(ssl_ctx_st* context, int socket, const std::atomic<bool>& stopping)
        : socket_(socket), stopping_(stopping), ssl_(SSL_new(context))
    {
        if (ssl_ == nullptr || SSL_set_fd(ssl_, socket) != 1) {
            SSL_free(ssl_);
            ThrowTlsError("connection state creation failed");
        }
    }
    ~TlsConnection() override { SSL_free(ssl_); }
    TlsConnection(const TlsConnection&) = delete;
    TlsConnection& operator=(const TlsConnection&) = delete;

    bool Accept() override
    {
        return Retried([this] { return SSL_accept(ssl_); });
    }

    std::size_t Read(char* buffer, std::size_t size) override
    {
        std::size_t received = 0;
        const bool ok = Retried([&] { return SSL_read_ex(ssl_, buffer, size, &received); });
        return ok ? received : 0;
    }

    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            std::size_t written = 0;
            if (!Retried([&] { return SSL_write_ex(ssl_, bytes.data(), bytes.size(), &written); })) {
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    void FinishSending() override
    {
        SSL_shutdown(ssl_);
        ERR_clear_error();
        ShutdownSending(socket_);
    }

    std::string_view ServerName() const override
    {
        const char* name = SSL_get_servername(ssl_, TLSEXT_NAMETYPE_host_name);
        return name == nullptr ? std::string_view() : std::string_view(name);
    }

private:
    // Runs a call of the library on the non-blocking socket until it succeeds (1), waiting
    // whenever it asks to; false on failure or once the server stops.
    template <typename Call>
    bool Retried(const Call& call)
    {
        for (;;) {
            const int result = call();
            if (result == 1) {
                return true;
            }
            const int error = SSL_get_error(ssl_, result);
            ERR_clear_error();
            const bool waited =
                (error == SSL_ERROR_WANT_READ &&
                 AwaitSocket(socket_, SocketWait::Readable, stopping_)) ||
                (error == SSL_ERROR_WANT_WRITE &&
                 AwaitSocket(socket_, SocketWait::Writable, stopping_));
            if (!waited) {
                return false;
            }
        }
    }

    int socket_;
    const std::atomic<bool>& stopping_;
    SSL* ssl_;
};

bool ReceiveExactly(int socket, unsigned char* buffer, std::size_t size,
                    const std::atomic<bool>& stopping)
{
    const std::unique_ptr<ServerConnection> plain = MakePlainConnection(socket, stopping);
    while (size > 0) {
        const std::size_t received = plain->Read(reinterpret_cast<char*>(buffer), size);
        if (received == 0) {
            return false;
        }
        buffer += received;
        size -= received;
    }
    return true;
}

} // namespace

ServerTlsContext::ServerTlsContext() : context_(SSL_CTX_new(TLS_server_method()))
{
    if (context_ == nullptr) {
        ThrowTlsError("context creation failed");
    }
    try {
        KeyAndCertificate made;
        MakeSelfSigned(made);
        if (SSL_CTX_set_min_proto_version(context_, TLS1_2_VERSION) != 1 ||
            SSL_CTX_use_certificate(context_, made.certificate) != 1 ||
            SSL_CTX_use_PrivateKey(context_, made.key) != 1) {
            ThrowTlsError("context set-up failed");
        }
    } catch (...) {
        SSL_CTX_free(context_);
        throw;
    }
}

ServerTlsContext::~ServerTlsContext()
{
    SSL_CTX_free(context_);
}

std::unique_ptr<ServerConnection>
ServerTlsContext::MakeConnection(int socket, const std::atomic<bool>& stopping) const
{
    return std::make_unique<TlsConnection>(context_, socket, stopping);
}

bool ReadTlsRecord(int socket, const std::atomic<bool>& stopping)
{
    // A record header is type (1), version (2) and length (2), then that many bytes.
    unsigned char header[5];
    if (!ReceiveExactly(socket, header, sizeof header, stopping)) {
        return false;
    }
    std::size_t length = (std::size_t{header[3]} << 8) | header[4];
    unsigned char chunk[4096];
    while (length > 0) {
        const std::size_t part = length < sizeof chunk ? length : sizeof chunk;
        if (!ReceiveExactly(socket, chunk, part, stopping)) {
            return false;
        }
        length -= part;
    }
    return true;
}

} // namespace testsupport
