#pragma once

#include "crawl/json/JsonNode.h"

#include <string_view>

namespace crawl::json {

// Characters of a number run: "+", "-", ".", the digits, "E" and "e".
constexpr bool IsNumberCharacter(char16_t c) noexcept
{
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' ||
           c == u'E';
}

// The value of one number run: stInt, stCurrency or stDouble. Null for a run that is no
// well-formed number, which fails the parse.
JsonNode* NumberNode(std::u16string_view run);

} // namespace crawl::json
