#include "ui/SroListPage.h"

#include "crawl/json/JsonValue.h"
#include "crawl/text/Text.h"

namespace ui {

std::u16string SroListAddress(std::u16string_view host)
{
    return u"https://" + std::u16string(host) + u"/api/sro/list";
}

std::u16string SroListBody(std::int32_t page)
{
    return u"{\"filters\":{},\"page\":" + crawl::IntToText(page) +
           u",\"pageCount\":\"100\",\"sortBy\":{}}";
}

std::u16string SroMembersLink(std::u16string_view host, std::u16string_view sroId)
{
    return u"https://" + std::u16string(host) + u"/sro/" + std::u16string(sroId) + u"/member/list";
}

SroListPage ReadSroListPage(std::u16string_view answer)
{
    SroListPage page;
    const crawl::json::JsonValue root = crawl::json::ParseString(answer);
    if (!root) {
        return page;
    }
    if (const crawl::json::JsonValue data = root.ObjectAt(u"data")) {
        page.pageCount = static_cast<std::int32_t>(data.IntegerAt(u"countPages"));
    }
    const crawl::json::JsonValue items = root.ObjectAt(u"data.data");
    if (const crawl::json::JsonArray array = items.AsArray()) {
        for (std::int32_t i = 0; i < array.Length(); ++i) {
            page.sroIds.push_back(array.Item(i).StringAt(u"id"));
        }
    }
    return page;
}

} // namespace ui
