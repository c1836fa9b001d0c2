#include "ui/TimeStamp.h"

#include "ui/MainFormView.h"

namespace ui {

std::u16string TimeStampText(const LocalMoment& moment, std::u16string_view shortDate,
                             std::u16string_view longTime)
{
    std::u16string text(shortDate);
    if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
        text += u' ';
        text += longTime;
    }
    return text;
}

} // namespace ui
