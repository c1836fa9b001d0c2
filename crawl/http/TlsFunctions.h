#pragma once

#include <openssl/err.h>
#include <openssl/ssl.h>

// The entry points of the run-time loaded TLS library. Only the types of the headers are
// used; nothing links against the library.
namespace crawl::http {

struct TlsFunctions {
    decltype(&::TLS_client_method) TLS_client_method;
    decltype(&::SSL_CTX_new) SSL_CTX_new;
    decltype(&::SSL_CTX_free) SSL_CTX_free;
    decltype(&::SSL_CTX_ctrl) SSL_CTX_ctrl;
    decltype(&::SSL_CTX_set_verify) SSL_CTX_set_verify;
    decltype(&::SSL_new) SSL_new;
    decltype(&::SSL_free) SSL_free;
    decltype(&::SSL_set_fd) SSL_set_fd;
    decltype(&::SSL_ctrl) SSL_ctrl;
    decltype(&::SSL_connect) SSL_connect;
    decltype(&::SSL_read) SSL_read;
    decltype(&::SSL_write) SSL_write;
    decltype(&::SSL_get_error) SSL_get_error;
    decltype(&::SSL_pending) SSL_pending;
    decltype(&::ERR_get_error) ERR_get_error;
    decltype(&::ERR_peek_error) ERR_peek_error;
    decltype(&::ERR_error_string_n) ERR_error_string_n;
    decltype(&::ERR_clear_error) ERR_clear_error;
};

// The loaded library's functions; throws "Could not load SSL library." when it cannot be
// loaded (a later call tries again).
const TlsFunctions& LoadedTlsFunctions();

} // namespace crawl::http
