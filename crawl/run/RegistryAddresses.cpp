#include "crawl/run/RegistryAddresses.h"

#include "crawl/text/Text.h"

namespace crawl {

namespace {

constexpr std::u16string_view Scheme = u"https://";

} // namespace

std::u16string MembersApiAddress(std::u16string_view link, std::u16string_view host)
{
    const std::u16string host16(host);
    return ReplaceAll(link, host16 + u"/sro/", host16 + u"/api/sro/");
}

std::u16string MembersPageBody(std::int64_t page)
{
    return u"{\"filters\":{},\"page\":" + IntToText(page) + u",\"pageCount\":\"20\",\"sortBy\":{}}";
}

std::u16string MemberInfoAddress(std::u16string_view host, std::u16string_view memberId)
{
    std::u16string address(Scheme);
    address.append(host).append(u"/api/member/").append(memberId).append(u"/info");
    return address;
}

std::u16string MemberLink(std::u16string_view host, std::u16string_view memberId)
{
    std::u16string link(Scheme);
    link.append(host).append(u"/member/").append(memberId);
    return link;
}

} // namespace crawl
