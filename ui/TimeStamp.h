#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace ui {

// Date and time as a log line carries them: the locale's short date, a blank and the time
// with hours, minutes and seconds; only the date when the time of day is exactly 00:00:00
// (whatever the milliseconds).
QString TimeStampText(const QDateTime& moment, const QLocale& locale);

// A time-stamped log line: time stamp, ": ", message.
QString TimeStampedLine(const QDateTime& moment, const QLocale& locale, const QString& message);

} // namespace ui
