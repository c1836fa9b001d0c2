#include "crawl/Error.h"

#include "crawl/text/Text.h"

namespace crawl {

Error::Error(std::u16string message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(std::move(message))
{
}

} // namespace crawl
