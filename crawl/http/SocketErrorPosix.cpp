#include "crawl/http/SocketError.h"
#include "crawl/http/SocketErrorPosix.h"

#include <cerrno>
#include <netdb.h>

namespace crawl::http {
namespace {

struct ErrnoNumber {
    int errnoValue;
    int number;
};

// The Windows Sockets numbers are the BSD errno values plus 10000; the POSIX values of
// this platform differ, so they are matched by name.
constexpr ErrnoNumber ErrnoNumbers[] = {
    {EINTR, 10004},        {EBADF, 10009},           {EACCES, 10013},
    {EPERM, 10013},        {EFAULT, 10014},          {EINVAL, 10022},
    {EMFILE, 10024},       {ENFILE, 10024},          {EAGAIN, 10035},
    {EINPROGRESS, 10036},  {EALREADY, 10037},        {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},        {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043}, {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},   {ENETDOWN, 10050},
    {ENETUNREACH, 10051},  {ENETRESET, 10052},       {ECONNABORTED, 10053},
    {ECONNRESET, 10054},   {EPIPE, 10054},           {ENOBUFS, 10055},
    {ENOMEM, 10055},       {EISCONN, 10056},         {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},    {ETOOMANYREFS, 10059},    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061}, {ELOOP, 10062},           {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},    {ENOTEMPTY, 10066},
};

} // namespace

int WinsockNumberFromErrno(int errnoValue)
{
    // EWOULDBLOCK equals EAGAIN here; a send or receive time-out reports it.
    for (const ErrnoNumber& entry : ErrnoNumbers) {
        if (entry.errnoValue == errnoValue) {
            return entry.number;
        }
    }
    return errnoValue;
}

int WinsockNumberFromResolverError(int resolverError, int errnoValue)
{
    switch (resolverError) {
    case EAI_NONAME:
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
        return WinsockHostNotFound;
    case EAI_AGAIN:
        return 11002; // WSATRY_AGAIN: the name server did not answer
    case EAI_MEMORY:
        return 10055;
    case EAI_FAMILY:
        return 10047;
    case EAI_SYSTEM:
        return WinsockNumberFromErrno(errnoValue);
    default:
        return 11003; // WSANO_RECOVERY: a lookup failure that repeating will not mend
    }
}

int LastSocketError()
{
    return WinsockNumberFromErrno(errno);
}

void ClearSocketError()
{
    errno = 0;
}

} // namespace crawl::http
