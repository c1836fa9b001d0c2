#include "ui/platform/AnsiCodePage.h"

#include <windows.h>

namespace ui {

std::optional<std::uint32_t> SystemAnsiCodePage()
{
    return GetACP();
}

} // namespace ui
