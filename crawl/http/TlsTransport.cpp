#include "crawl/http/TlsTransport.h"

#include "crawl/Error.h"
#include "crawl/http/SocketCalls.h"
#include "crawl/http/SocketError.h"
#include "crawl/http/TlsFunctions.h"
#include "crawl/text/Text.h"

#include <algorithm>
#include <climits>

namespace crawl::http {
namespace {

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

// `socketError`: the Windows Sockets number the library's last socket call left, 0 for none.
[[noreturn]] void ThrowHandshakeFailure(const TlsFunctions& tls, int error, int socketError)
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
        ThrowSocketError(WinsockTimedOut);
    }
    if (error == SSL_ERROR_SYSCALL) {
        if (socketError == 0) {
            throw Error(ConnectFailure(EofText));
        }
        ThrowSocketError(IsTimeoutError(socketError) ? WinsockTimedOut : socketError);
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
    ClearSocketError();
    const int result = WithoutBrokenPipeSignal([&] { return tls.SSL_connect(session_.get()); });
    const int socketError = LastSocketError();
    if (result != 1) {
        ThrowHandshakeFailure(tls, tls.SSL_get_error(session_.get(), result), socketError);
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
    ClearSocketError();
    const int received = WithoutBrokenPipeSignal([&] {
        return tls.SSL_read(session_.get(), buffer,
                            static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    });
    const int socketError = LastSocketError();
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
        (error == SSL_ERROR_SYSCALL && first == 0 && IsTimeoutError(socketError))) {
        throw Error(u"Read timed out.");
    }
    // A close without the close_notify alert ends the data like a proper one.
    if ((error == SSL_ERROR_SYSCALL && first == 0 && socketError == 0) ||
        ERR_GET_REASON(first) == SSL_R_UNEXPECTED_EOF_WHILE_READING) {
        return 0;
    }
    if (error == SSL_ERROR_SYSCALL && first == 0) {
        ThrowSocketError(socketError);
    }
    throw Error(ErrorString(tls, first));
}

void TlsTransport::Send(std::string_view bytes)
{
    const TlsFunctions& tls = LoadedTlsFunctions();
    while (!bytes.empty()) {
        tls.ERR_clear_error();
        ClearSocketError();
        const int sent = WithoutBrokenPipeSignal([&] {
            return tls.SSL_write(session_.get(), bytes.data(),
                                 static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)));
        });
        const int socketError = LastSocketError();
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        const int error = tls.SSL_get_error(session_.get(), sent);
        const unsigned long first = tls.ERR_peek_error();
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            ThrowSocketError(WinsockTimedOut); // the send time-out ran out
        }
        if (error == SSL_ERROR_SYSCALL && first == 0) {
            ThrowSocketError(IsTimeoutError(socketError) ? WinsockTimedOut
                             : socketError == 0            ? WinsockConnectionReset
                                                           : socketError);
        }
        throw Error(ErrorString(tls, first));
    }
}

} // namespace crawl::http
