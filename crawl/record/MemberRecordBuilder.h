#pragma once

#include "crawl/json/JsonValue.h"
#include "crawl/record/MemberRecord.h"

#include <string>

namespace crawl {

// The record of one member from its item of the page's member array, its parsed info answer
// and its link. Every registry text is cleaned (HtmlToText, then trimmed); the registration
// date is cut to 10 characters first; the city falls back to the locality; the address joins
// eight parts with single spaces and is cleaned as a whole. A missing object ("member_status",
// "data", "data.base_country", "data.base_subject", "data.sro"), an info answer that is no
// object and a value that is nothing all read as empty texts.
MemberRecord BuildMemberRecord(const json::JsonValue& memberItem, const json::JsonValue& infoAnswer,
                               std::u16string link);

} // namespace crawl
