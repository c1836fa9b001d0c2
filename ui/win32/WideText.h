#pragma once

#include <string>
#include <string_view>

namespace ui::win32 {

// The system's text is UTF-16 as ours is; wchar_t is 16 bits wide on Windows, so these only
// change the character type at the edge of the Windows API.
inline std::wstring Wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string Utf16(std::wstring_view text)
{
    return std::u16string(text.begin(), text.end());
}

} // namespace ui::win32
