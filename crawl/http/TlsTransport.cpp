#include "crawl/http/TlsTransport.h"

#include "crawl/Error.h"
#include "crawl/http/SocketError.h"
#include "crawl/http/TlsFunctions.h"
#include "crawl/text/Text.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <pthread.h>

namespace crawl::http {
namespace {

// The library writes to the socket itself: a peer that has gone must not raise SIGPIPE in
// the program, so the signal is held back in this thread around each call and dropped.
class SigpipeHeldBack {
public:
    SigpipeHeldBack()
    {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        pendingBefore_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigpipeHeldBack()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!pendingBefore_ && sigismember(&pending, SIGPIPE) == 1) {
            const timespec noWait{0, 0};
            sigtimedwait(&pipeOnly_, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeHeldBack(const SigpipeHeldBack&) = delete;
    SigpipeHeldBack& operator=(const SigpipeHeldBack&) = delete;

private:
    sigset_t pipeOnly_;
    sigset_t previous_;
    bool pendingBefore_ = false;
};

std::u16string ErrorString(const TlsFunctions& tls, unsigned long error)
{
    char text[256] = {};
    tls.ERR_error_string_n(error, text, sizeof text);
    return Latin1ToUtf16(text);
}

std::u16string ConnectFailure(std::u16string_view detail)
{
    return u"Error connecting with SSL.\r\n" + std::u16string(detail);
}

constexpr std::u16string_view EofText = u"EOF was observed that violates the protocol";

[[noreturn]] void ThrowHandshakeFailure(const TlsFunctions& tls, int error, int savedErrno)
{
    const unsigned long first = tls.ERR_peek_error();
    if (first != 0) {
        if (ERR_GET_REASON(first) == SSL_R_UNEXPECTED_EOF_WHILE_READING) {
            throw Error(ConnectFailure(EofText));
        }
        throw Error(ConnectFailure(ErrorString(tls, first)));
    }
    // On a blocking socket the library asks to retry only when the socket's receive or send
    // time-out has run out.
    if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
        ThrowSocketError(ETIMEDOUT);
    }
    if (error == SSL_ERROR_SYSCALL) {
        if (savedErrno == 0) {
            throw Error(ConnectFailure(EofText));
        }
        ThrowSocketError(savedErrno == EAGAIN ? ETIMEDOUT : savedErrno);
    }
    throw Error(ConnectFailure(u""));
}

} // namespace

TlsTransport::TlsTransport(std::unique_ptr<TcpTransport> tcp, const std::u16string& host,
                           bool ipLiteral)
    : tcp_(std::move(tcp))
{
    const TlsFunctions& tls = LoadedTlsFunctions();
    tls.ERR_clear_error();
    context_.reset(tls.SSL_CTX_new(tls.TLS_client_method()));
    if (!context_ ||
        tls.SSL_CTX_ctrl(context_.get(), SSL_CTRL_SET_MIN_PROTO_VERSION, TLS1_2_VERSION, nullptr) !=
            1 ||
        tls.SSL_CTX_ctrl(context_.get(), SSL_CTRL_SET_MAX_PROTO_VERSION, TLS1_2_VERSION, nullptr) !=
            1) {
        const std::u16string detail = ErrorString(tls, tls.ERR_peek_error());
        throw Error(u"Error creating SSL context.\r\n" + detail);
    }
    tls.SSL_CTX_set_verify(context_.get(), SSL_VERIFY_NONE, nullptr);
    tls.SSL_CTX_ctrl(context_.get(), SSL_CTRL_MODE, SSL_MODE_AUTO_RETRY, nullptr);

    session_.reset(tls.SSL_new(context_.get()));
    if (!session_ || tls.SSL_set_fd(session_.get(), tcp_->Socket()) != 1) {
        throw Error(u"Error creating SSL session.");
    }
    // RFC 6066 3: a literal IP address is not a server name.
    if (!ipLiteral) {
        std::string name = Utf16ToUtf8(host);
        tls.SSL_ctrl(session_.get(), SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name,
                     name.data());
        tls.ERR_clear_error();
    }
    const SigpipeHeldBack held;
    errno = 0;
    const int result = tls.SSL_connect(session_.get());
    const int savedErrno = errno;
    if (result != 1) {
        ThrowHandshakeFailure(tls, tls.SSL_get_error(session_.get(), result), savedErrno);
    }
}

void TlsTransport::ContextFree::operator()(ssl_ctx_st* context) const
{
    LoadedTlsFunctions().SSL_CTX_free(context);
}

void TlsTransport::SessionFree::operator()(ssl_st* session) const
{
    LoadedTlsFunctions().SSL_free(session);
}

std::size_t TlsTransport::Receive(char* buffer, std::size_t size)
{
    const TlsFunctions& tls = LoadedTlsFunctions();
    if (tls.SSL_pending(session_.get()) == 0) {
        WaitReadable(tcp_->Socket(), tcp_->Policy());
    }
    tls.ERR_clear_error();
    const SigpipeHeldBack held;
    errno = 0;
    const int received = tls.SSL_read(session_.get(), buffer,
                                      static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    const int savedErrno = errno;
    if (received > 0) {
        return static_cast<std::size_t>(received);
    }
    const int error = tls.SSL_get_error(session_.get(), received);
    const unsigned long first = tls.ERR_peek_error();
    if (error == SSL_ERROR_ZERO_RETURN) {
        return 0;
    }
    // On a blocking socket a retry is asked for only when the receive time-out ran out
    // inside a record.
    if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE ||
        (error == SSL_ERROR_SYSCALL && first == 0 && savedErrno == EAGAIN)) {
        throw Error(u"Read timed out.");
    }
    // A close without the close_notify alert ends the data like a proper one.
    if ((error == SSL_ERROR_SYSCALL && first == 0 && savedErrno == 0) ||
        ERR_GET_REASON(first) == SSL_R_UNEXPECTED_EOF_WHILE_READING) {
        return 0;
    }
    if (error == SSL_ERROR_SYSCALL && first == 0) {
        ThrowSocketError(savedErrno);
    }
    throw Error(ErrorString(tls, first));
}

void TlsTransport::Send(std::string_view bytes)
{
    const TlsFunctions& tls = LoadedTlsFunctions();
    while (!bytes.empty()) {
        tls.ERR_clear_error();
        const SigpipeHeldBack held;
        errno = 0;
        const int sent =
            tls.SSL_write(session_.get(), bytes.data(),
                          static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)));
        const int savedErrno = errno;
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        const int error = tls.SSL_get_error(session_.get(), sent);
        const unsigned long first = tls.ERR_peek_error();
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            ThrowSocketError(ETIMEDOUT); // the send time-out ran out
        }
        if (error == SSL_ERROR_SYSCALL && first == 0) {
            ThrowSocketError(savedErrno == EAGAIN ? ETIMEDOUT
                             : savedErrno == 0    ? ECONNRESET
                                                  : savedErrno);
        }
        throw Error(ErrorString(tls, first));
    }
}

} // namespace crawl::http
