#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The registry addresses and request bodies of a crawl run. `host` is the registry host,
// possibly with ":port".
namespace crawl {

// The members-list link as the user typed it, with "/api" put before every "/sro/" that
// follows the host (exact, case-sensitive); a link without that stays as it is.
std::u16string MembersApiAddress(std::u16string_view link, std::u16string_view host);

// {"filters":{},"page":N,"pageCount":"20","sortBy":{}} on one line, without blanks.
std::u16string MembersPageBody(std::int64_t page);

std::u16string MemberInfoAddress(std::u16string_view host, std::u16string_view memberId);

// The member's page on the registry site: the last column of its row.
std::u16string MemberLink(std::u16string_view host, std::u16string_view memberId);

} // namespace crawl
