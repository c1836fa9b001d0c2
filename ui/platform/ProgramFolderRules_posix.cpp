#include "ui/platform/ProgramFolderRules.h"

#include "crawl/http/TlsLibrary.h"

namespace ui {

char16_t PathSeparator()
{
    return u'/';
}

bool TlsLibraryFound(const std::u16string&)
{
    // The system's TLS library, loaded at run time.
    return crawl::http::TlsLibraryAvailable();
}

} // namespace ui
