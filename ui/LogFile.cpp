#include "ui/LogFile.h"

#include "crawl/platform/TickCount.h"
#include "crawl/text/TextFile.h"

#include <string_view>

namespace ui {

QString LogFileName(std::uint32_t tickCount)
{
    return QStringLiteral("log-") + QString::fromStdU16String(crawl::TickCountText(tickCount)) +
           QStringLiteral(".txt");
}

void WriteLogFile(const QString& path, const QString& logText)
{
    // One pass and no list of lines: the log of a long run has a hundred thousand of them.
    QString fileText = logText;
    fileText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    fileText += QStringLiteral("\r\n");
    crawl::WriteTextFile(path.toStdU16String(),
                         std::u16string_view(reinterpret_cast<const char16_t*>(fileText.utf16()),
                                             static_cast<std::size_t>(fileText.size())),
                         crawl::TextEncoding::Utf8);
}

} // namespace ui
