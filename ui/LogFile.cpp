#include "ui/LogFile.h"

#include "crawl/platform/TickCount.h"
#include "crawl/text/TextFile.h"

#include <QStringList>

namespace ui {

QString LogFileName(std::uint32_t tickCount)
{
    return QStringLiteral("log-") + QString::fromStdU16String(crawl::TickCountText(tickCount)) +
           QStringLiteral(".txt");
}

void WriteLogFile(const QString& path, const QString& logText)
{
    QString fileText;
    for (const QString& line : logText.split(QLatin1Char('\n'))) {
        fileText += line + QStringLiteral("\r\n");
    }
    crawl::WriteTextFile(path.toStdU16String(), fileText.toStdU16String(),
                         crawl::TextEncoding::Utf8);
}

} // namespace ui
