#include "ui/platform/ProgramFolderRules.h"

#include "crawl/text/TextFile.h"

namespace ui {

char16_t PathSeparator()
{
    return u'\\';
}

bool TlsLibraryFound(const std::u16string& programFolder)
{
    // The program brings its OpenSSL libraries; this one is loaded first.
    return crawl::FileExists(programFolder + u"libeay32.dll");
}

} // namespace ui
