#include "crawl/platform/SystemError.h"

#include "crawl/text/Text.h"

#include <cerrno>
#include <system_error>

namespace crawl {

int LastSystemError()
{
    return errno;
}

std::u16string SystemErrorText(int error)
{
    return Utf8ToUtf16(std::generic_category().message(error));
}

} // namespace crawl
