#include "ui/LogFile.h"

#include "crawl/Error.h"
#include "crawl/platform/TickCount.h"

#include <QFile>

namespace ui {

QString LogFileName(std::uint32_t tickCount)
{
    return QStringLiteral("log-") + QString::fromStdU16String(crawl::TickCountText(tickCount)) +
           QStringLiteral(".txt");
}

void WriteLogFile(const QString& path, const QString& logText)
{
    QByteArray bytes;
    for (const QString& line : logText.split(QLatin1Char('\n'))) {
        bytes += line.toUtf8() + "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        throw crawl::Error(
            QString(path + QStringLiteral(": ") + file.errorString()).toStdU16String());
    }
}

} // namespace ui
