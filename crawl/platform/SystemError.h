#pragma once

#include "crawl/Error.h"

#include <string>
#include <string_view>

namespace crawl {

// The number of the calling thread's last failed file call: errno on Linux, GetLastError() on
// Windows.
int LastSystemError();

// The system's own text for such a number, without a trailing line break.
std::u16string SystemErrorText(int error);

// "Cannot <action> file "<path>". <the system's text for the error>"
Error FileError(std::u16string_view action, std::u16string_view path, int error);

} // namespace crawl
