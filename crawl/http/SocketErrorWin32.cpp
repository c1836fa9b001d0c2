#include "crawl/http/SocketError.h"

#include <winsock2.h>

namespace crawl::http {

int LastSocketError()
{
    return ::WSAGetLastError();
}

void ClearSocketError()
{
    ::WSASetLastError(0);
}

} // namespace crawl::http
