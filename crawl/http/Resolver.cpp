#include "crawl/http/Resolver.h"

#include "crawl/http/AsciiCase.h"

namespace crawl::http {

bool IsReservedInvalidName(std::u16string_view host)
{
    while (host.ends_with(u'.')) {
        host.remove_suffix(1);
    }
    const std::u16string lowered = LowerAscii(host);
    return lowered == u"invalid" || lowered.ends_with(u".invalid");
}

} // namespace crawl::http
