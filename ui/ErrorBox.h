#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace ui {

// "Парсер " + the registry host spelled as in addresses, in lower case: the application title,
// the caption of the default error box.
std::u16string ApplicationTitle(std::u16string_view registryHost);

// The message of the default error box: a full stop is added unless the last character is a
// full stop or has a lower character code (an exclamation mark, a comma, a blank...).
std::u16string ErrorBoxText(std::u16string_view message);

// The message an exception carries.
std::u16string ExceptionMessage(const std::exception& error);

} // namespace ui
