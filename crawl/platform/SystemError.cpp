#include "crawl/platform/SystemError.h"

namespace crawl {

Error FileError(std::u16string_view action, std::u16string_view path, int error)
{
    std::u16string message = u"Cannot ";
    message.append(action).append(u" file \"").append(path).append(u"\". ");
    message.append(SystemErrorText(error));
    return Error(std::move(message));
}

} // namespace crawl
