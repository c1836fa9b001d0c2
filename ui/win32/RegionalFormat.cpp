#include "ui/win32/RegionalFormat.h"

#include "ui/win32/WideText.h"

#include <windows.h>

namespace ui::win32 {

namespace {

SYSTEMTIME SystemTime(const LocalMoment& moment)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(moment.year);
    time.wMonth = static_cast<WORD>(moment.month);
    time.wDay = static_cast<WORD>(moment.day);
    time.wHour = static_cast<WORD>(moment.hour);
    time.wMinute = static_cast<WORD>(moment.minute);
    time.wSecond = static_cast<WORD>(moment.second);
    time.wMilliseconds = static_cast<WORD>(moment.millisecond);
    return time;
}

// Both calls give the length with the terminator when asked without a buffer.
template <typename Format>
std::u16string Formatted(Format format)
{
    const int size = format(nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    text.resize(static_cast<std::size_t>(format(text.data(), size) - 1));
    return Utf16(text);
}

} // namespace

std::u16string RegionalShortDate(const LocalMoment& moment)
{
    const SYSTEMTIME time = SystemTime(moment);
    return Formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer,
                               size, nullptr);
    });
}

std::u16string RegionalLongTime(const LocalMoment& moment)
{
    const SYSTEMTIME time = SystemTime(moment);
    return Formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, buffer, size);
    });
}

} // namespace ui::win32
