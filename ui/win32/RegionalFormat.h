#pragma once

#include "ui/MainFormView.h"

#include <string>

namespace ui::win32 {

// The user's regional short date of a moment (GetDateFormatEx, DATE_SHORTDATE).
std::u16string RegionalShortDate(const LocalMoment& moment);

// The user's regional long time of a moment: hours, minutes and seconds (GetTimeFormatEx).
std::u16string RegionalLongTime(const LocalMoment& moment);

} // namespace ui::win32
