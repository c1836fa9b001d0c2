#pragma once

#include <string>
#include <string_view>

// Text fields hold lines separated by "\n"; the program's files by CR LF.
namespace ui {

// Every "\n" becomes CR LF.
std::u16string CrLfLines(std::u16string_view fieldText);

// Every line break of a file, CR LF, CR or LF, becomes one "\n".
std::u16string FieldLines(std::u16string_view fileText);

} // namespace ui
