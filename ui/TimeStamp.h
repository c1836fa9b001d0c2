#pragma once

#include <string>
#include <string_view>

namespace ui {

struct LocalMoment;

// Date and time as a log line carries them: the short date, a blank and the long time; only
// the date when the time of day is exactly 00:00:00 (whatever the milliseconds).
std::u16string TimeStampText(const LocalMoment& moment, std::u16string_view shortDate,
                             std::u16string_view longTime);

} // namespace ui
