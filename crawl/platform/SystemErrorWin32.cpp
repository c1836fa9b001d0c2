#include "crawl/platform/SystemError.h"

#include <windows.h>

namespace crawl {

int LastSystemError()
{
    return static_cast<int>(::GetLastError());
}

std::u16string SystemErrorText(int error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message(reinterpret_cast<const char16_t*>(text), length);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n')) {
        message.pop_back();
    }
    return message;
}

} // namespace crawl
