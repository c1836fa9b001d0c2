#include "ui/LogFile.h"

#include "crawl/platform/TickCount.h"
#include "ui/LineBreaks.h"

namespace ui {

std::u16string LogFileName(std::uint32_t tickCount)
{
    return u"log-" + crawl::TickCountText(tickCount) + u".txt";
}

void WriteLogFile(const std::u16string& path, std::u16string_view logText,
                  crawl::TextEncoding encoding)
{
    // One pass and no list of lines: the log of a long run has a hundred thousand of them.
    crawl::WriteTextFile(path, CrLfLines(logText) + u"\r\n", encoding);
}

} // namespace ui
