#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The registry's list of all SROs, read page by page to fill the link list. `host` is the
// registry host, possibly with ":port".
namespace ui {

std::u16string SroListAddress(std::u16string_view host);

// {"filters":{},"page":N,"pageCount":"100","sortBy":{}} on one line, without blanks.
std::u16string SroListBody(std::int32_t page);

// The members-list link of an SRO, as the link list holds it.
std::u16string SroMembersLink(std::u16string_view host, std::u16string_view sroId);

struct SroListPage {
    // "data.countPages" cut to its low 32 bits; 0 when the answer is not JSON or has no "data".
    std::int32_t pageCount = 0;
    // "id" of every element of "data.data", in order; none without that array.
    std::vector<std::u16string> sroIds;
};

SroListPage ReadSroListPage(std::u16string_view answer);

} // namespace ui
