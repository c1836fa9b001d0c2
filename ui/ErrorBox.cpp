#include "ui/ErrorBox.h"

#include "crawl/Error.h"
#include "crawl/text/Text.h"

#include <algorithm>

namespace ui {

std::u16string ApplicationTitle(std::u16string_view registryHost)
{
    std::u16string host(registryHost);
    std::transform(host.begin(), host.end(), host.begin(), [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    });
    return u"Парсер " + host;
}

std::u16string ErrorBoxText(std::u16string_view message)
{
    std::u16string text(message);
    if (!text.empty() && text.back() > u'.') {
        text += u'.';
    }
    return text;
}

std::u16string ExceptionMessage(const std::exception& error)
{
    if (const auto* crawlError = dynamic_cast<const crawl::Error*>(&error)) {
        return crawlError->Message();
    }
    return crawl::Utf8ToUtf16(error.what());
}

} // namespace ui
