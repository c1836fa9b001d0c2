#include "ui/TimeStamp.h"

namespace ui {

QString TimeStampText(const QDateTime& moment, const QLocale& locale)
{
    QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0) {
        return date;
    }
    return date + QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
}

QString TimeStampedLine(const QDateTime& moment, const QLocale& locale, const QString& message)
{
    return TimeStampText(moment, locale) + QStringLiteral(": ") + message;
}

} // namespace ui
