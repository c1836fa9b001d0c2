#include "ui/platform/AnsiCodePage.h"

namespace ui {

std::optional<std::uint32_t> SystemAnsiCodePage()
{
    return std::nullopt;
}

} // namespace ui
