#include "ui/NarrowEncoding.h"

namespace ui {

namespace {

constexpr std::uint32_t WindowsCyrillic = 1251;

} // namespace

crawl::TextEncoding NarrowEncoding(std::optional<std::uint32_t> ansiCodePage)
{
    return ansiCodePage == WindowsCyrillic ? crawl::TextEncoding::Windows1251
                                           : crawl::TextEncoding::Utf8;
}

} // namespace ui
